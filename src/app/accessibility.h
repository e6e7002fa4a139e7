#pragma once

namespace quarvel {

class FormCells;

// Makes the form usable by ear and by keyboard alone: names every count
// box, list and check box by its section and row, names each summary number
// by its whole sentence and keeps that current, lets the pointer rest on a
// summary number for its explanation, says what each "Clear" button clears
// (also as its tooltip). Changes nothing else on screen.
void makeAccessible(FormCells &cells);

// Each summary number says where it comes from, as its tooltip and to a
// screen reader as its description: "Trucks: +10000", "Infantry: -7260",
// "Total: 2740". The window renews them once each step is over.
void explainSummaryNumbers(FormCells &cells);

} // namespace quarvel
