// The application object: one run of the front end. It receives the edition from the main program,
// owns the session record and the data store, hands the platform services to the screens, and loads,
// shows and unloads the main screens.
//
// Screens are made by factories registered under a ScreenId (RegisterScreens in app/screens.cpp) and
// loaded on first show; modal dialogs that another folder provides (the fitting function dialog) are
// registered the same way under a DialogId. A button or Window menu entry whose screen or dialog is
// not registered stays disabled.
#ifndef FRONTEND_APP_APPLICATION_H
#define FRONTEND_APP_APPLICATION_H

#include "platform/services.h"
#include "session/session.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QDialog;
class QWidget;

namespace frontend {

class MainScreen;

enum class ScreenId { Start, Home, Data, Fit, Spreadsheet, Graph };
enum class DialogId { FittingFunction };

class Application final : public QObject {
    Q_OBJECT
public:
    using ScreenFactory = std::function<MainScreen*(Application&)>;
    using DialogFactory = std::function<std::unique_ptr<QDialog>(Application&, QWidget* parent)>;

    // programFolder is where the icons, function pictures and help pages lie (AppPath).
    Application(Edition edition, Services services, const QString& programFolder);
    ~Application() override;

    Edition edition() const { return edition_; }
    bool isLinear() const { return edition_ == Edition::Linear; }
    // "Quorvex" or "Tessaly", fixed by the edition (Session::Edition stays empty until Continue).
    QString productWord() const;

    Session& session() { return session_; }
    DataStore& store() { return store_; }
    Dialogs& dialogs() { return services_.dialogs; }
    Help& help() { return services_.help; }
    // AppPath + name: a file shipped beside the program.
    QString programFile(const QString& name) const { return session_.AppPath + name; }

    // Remembered for the whole run by the Y and X error mode dialogs: the option last clicked.
    std::int16_t rememberedYErrorOption = -2;
    std::int16_t rememberedXErrorOption = -2;

    // The start-up routine: resets the session and the error modes and shows the start screen.
    void start();

    void registerScreen(ScreenId id, ScreenFactory factory);
    void registerDialog(DialogId id, DialogFactory factory);
    bool hasScreen(ScreenId id) const { return screenFactories_.count(id) != 0; }
    bool hasDialog(DialogId id) const { return dialogFactories_.count(id) != 0; }
    std::unique_ptr<QDialog> makeDialog(DialogId id, QWidget* parent);

    // The screen when it is loaded, else null.
    MainScreen* loaded(ScreenId id) const;
    template <typename T> T* loadedAs(ScreenId id) const { return dynamic_cast<T*>(loaded(id)); }
    // The loaded screens in the order they were loaded.
    std::vector<MainScreen*> loadedScreens() const;
    // Loads the screen when needed and returns it; null when no factory is registered.
    MainScreen* load(ScreenId id);

    // Hides `from` (when given), shows the screen `id` and lets it refresh itself. With `hourglass`
    // the wait pointer shows on the current screen until the target has refreshed.
    void showScreen(ScreenId id, QWidget* from = nullptr, bool hourglass = false);
    // Unloads a loaded screen; false when it refused to close.
    bool unload(MainScreen* screen);
    // Called by a screen that has closed: it is no longer loaded.
    void forget(MainScreen* screen);

    // Tells every loaded screen to show the state of the Save buttons (RefreshSaveState).
    void refreshSaveState();

    // Ends the run: the main program leaves its event loop on ended().
    void end();
    bool hasEnded() const { return ended_; }

signals:
    void ended();

private:
    Edition edition_;
    Services services_;
    QString programFolder_;
    Session session_;
    DataStore store_;
    std::map<ScreenId, ScreenFactory> screenFactories_;
    std::map<DialogId, DialogFactory> dialogFactories_;
    struct LoadedScreen {
        ScreenId id;
        QPointer<MainScreen> screen;
    };
    std::vector<LoadedScreen> loaded_;
    bool ended_ = false;
};

// Registers every screen and dialog this build has (app/screens.cpp).
void RegisterScreens(Application& app);

} // namespace frontend

#endif
