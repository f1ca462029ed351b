#include "app/screen_parts.h"

#include "session/frm_about.h"
#include "session/helpers.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSvgRenderer>

namespace frontend {

QString DataScreenCaption(const Session& session, const QString& screenName, const QString& dataName) {
    return EditionWord(session.Edition) + QStringLiteral(" -- ") + screenName + QStringLiteral(" [") + dataName +
           QStringLiteral("] ");
}

void SetBackColour(QPushButton& button, const QColor& colour) {
    QPalette palette = button.palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Button, colour);
    button.setPalette(palette);
}

void SetGoState(QPushButton& button, bool go) {
    button.setEnabled(go);
    SetBackColour(button, go ? GoColour : StopColour);
}

WindowMenu::WindowMenu(MainScreen& screen, QMenuBar& bar, std::initializer_list<Entry> entries) : screen_(screen) {
    QMenu* menu = bar.addMenu(QStringLiteral("&Window"));
    menu->setObjectName(QStringLiteral("mnuWindow"));
    for (const Entry& entry : entries) {
        QAction* action = menu->addAction(entry.text);
        action->setObjectName(entry.objectName);
        const ScreenId target = entry.target;
        // The fit screen, the spreadsheet and the graph setup screen take a moment to come up.
        const bool hourglass = target == ScreenId::Fit || target == ScreenId::Spreadsheet || target == ScreenId::Graph;
        QObject::connect(action, &QAction::triggered, &screen,
                         [&screen, target, hourglass] { screen.app().showScreen(target, &screen, hourglass); });
        action->setEnabled(screen.app().hasScreen(target));
        entries_[target] = action;
    }
}

QAction* WindowMenu::entry(ScreenId target) const {
    const auto found = entries_.find(target);
    return found == entries_.end() ? nullptr : found->second;
}

void WindowMenu::setEnabled(ScreenId target, bool enabled) {
    if (QAction* action = entry(target)) action->setEnabled(enabled && screen_.app().hasScreen(target));
}

void WindowMenu::setVisible(ScreenId target, bool visible) {
    if (QAction* action = entry(target)) action->setVisible(visible);
}

void ToggleStyle(Session& session, WindowMenu& windowMenu) {
    session.Advanced = !session.Advanced;
    windowMenu.setVisible(ScreenId::Graph, session.Advanced);
}

void AddHelpMenu(MainScreen& screen, QMenuBar& bar) {
    QMenu* menu = bar.addMenu(QStringLiteral("&Help"));
    menu->setObjectName(QStringLiteral("mnuHelp"));
    Help& help = screen.app().help();
    QAction* contents = menu->addAction(QStringLiteral("&Contents"));
    contents->setObjectName(QStringLiteral("mnuHelpContents"));
    QObject::connect(contents, &QAction::triggered, &screen, [&help] { help.showContents(); });
    QAction* helpOnHelp = menu->addAction(QStringLiteral("&How to use Help"));
    helpOnHelp->setObjectName(QStringLiteral("mnuHelpOnHelp"));
    QObject::connect(helpOnHelp, &QAction::triggered, &screen, [&help] { help.showHelpOnHelp(); });
    QAction* about = menu->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    QObject::connect(about, &QAction::triggered, &screen, [&screen] {
        FrmAbout box(screen.app(), &screen);
        screen.runModal(box);
    });
}

QString FunctionPictureFile(const Application& app, bool functionChosen, std::int16_t functionNumber) {
    static const char* const linear[] = {"linear", "power", "exp",  "quad",  "elliptc1", "specialpwr",
                                         "natlog", "invx",  "invy", "invxy", "specialinv"};
    static const char* const nonLinear[] = {"linear", "power", "exp",    "exp1",  "exp2",    "exp3",
                                            "invxyn", "esr",   "realz1", "imag1", "usrfunc", "usrfunc"};
    const bool isLinear = app.isLinear();
    const int count = isLinear ? 11 : 12;
    const QString name = !functionChosen || functionNumber < 1 || functionNumber > count
                             ? QStringLiteral("nofunc")
                             : QString::fromLatin1((isLinear ? linear : nonLinear)[functionNumber - 1]);
    return app.programFile(name + QStringLiteral(".png"));
}

void ShowPicture(QLabel& label, const QString& path) {
    QPixmap picture;
    if (QFileInfo(path).isFile()) {
        const QSize area = label.contentsRect().size().expandedTo(QSize(1, 1));
        if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
            QSvgRenderer renderer(path);
            if (renderer.isValid()) {
                const QSize size = renderer.defaultSize().scaled(area, Qt::KeepAspectRatio);
                const qreal ratio = label.devicePixelRatioF();
                picture = QPixmap(size * ratio);
                picture.setDevicePixelRatio(ratio);
                picture.fill(Qt::transparent);
                QPainter painter(&picture);
                renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
            }
        } else {
            const qreal ratio = label.devicePixelRatioF();
            picture = QPixmap(path).scaled(area * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            picture.setDevicePixelRatio(ratio);
        }
    }
    label.setPixmap(picture);
    label.setProperty("picturePath", picture.isNull() ? QString() : path);
}

} // namespace frontend
