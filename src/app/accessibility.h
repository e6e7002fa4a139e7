#pragma once

namespace quarvel {

class FormCells;

// Makes the form usable by ear and by keyboard alone: names every count
// box, list and check box by its section and row, names each summary number
// by its whole sentence and keeps that current, says what each summary
// number is made of and what each "Clear" button clears (both also as
// tooltips). Changes nothing else on screen.
void makeAccessible(FormCells &cells);

} // namespace quarvel
