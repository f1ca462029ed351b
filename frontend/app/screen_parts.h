// Pieces several screens share: the Window and Help menus, the green / red state of the graphical
// buttons and the function picture.
#ifndef FRONTEND_APP_SCREEN_PARTS_H
#define FRONTEND_APP_SCREEN_PARTS_H

#include "app/main_screen.h"

#include <QColor>
#include <initializer_list>
#include <map>

class QAction;
class QLabel;
class QMenuBar;
class QPushButton;

namespace frontend {

// The caption of a screen that shows the data set's name: "Quorvex -- Home Screen [name] ".
QString DataScreenCaption(const Session& session, const QString& screenName, const QString& dataName);

// Back colours of the graphical buttons: green when they may be used, red when not.
inline const QColor GoColour = QColor(0x00, 0xC0, 0x00);
inline const QColor StopColour = QColor(0xFF, 0x00, 0x00);

// Enabled with a green back, or disabled with a red back.
void SetGoState(QPushButton& button, bool go);
void SetBackColour(QPushButton& button, const QColor& colour);

// A main screen's Window menu: each entry hides the screen and shows another one. An entry whose
// screen is not part of this build stays disabled.
class WindowMenu {
public:
    struct Entry {
        ScreenId target;
        QString text;
        QString objectName;
    };
    WindowMenu(MainScreen& screen, QMenuBar& bar, std::initializer_list<Entry> entries);

    QAction* entry(ScreenId target) const;
    void setEnabled(ScreenId target, bool enabled);
    void setVisible(ScreenId target, bool visible);

private:
    MainScreen& screen_;
    std::map<ScreenId, QAction*> entries_;
};

// Shift + right mouse button on the data or fit screen: Standard and Advanced style change places,
// and the Window menu offers the graph only in the Advanced style.
void ToggleStyle(Session& session, WindowMenu& windowMenu);

// The Help menu: "&Contents", "&How to use Help", "&About" (frmAbout, modal).
void AddHelpMenu(MainScreen& screen, QMenuBar& bar);

// The picture of the chosen function beside the program ("nofunc.png" before a function is chosen).
QString FunctionPictureFile(const Application& app, bool functionChosen, std::int16_t functionNumber);
// Draws the picture file (PNG, or SVG for the icons) into the label, scaled to fit; a missing file
// leaves it empty.
void ShowPicture(QLabel& label, const QString& path);

} // namespace frontend

#endif
