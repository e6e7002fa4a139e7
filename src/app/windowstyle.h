#pragma once

#include <QProxyStyle>

namespace quarvel {

// The program's style: Fusion, except that the menu bar's overflow button
// gets its icon the first time the icon is drawn. QMenuBar makes that button
// as it is made and asks for its icon at once, and Qt then reads and decodes
// the icon's images, loading the PNG library, at every start: for a button
// that shows only when the menus do not fit the window's width.
class WindowStyle : public QProxyStyle {
public:
    WindowStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

} // namespace quarvel
