#include "app/application.h"

#include "app/main_screen.h"
#include "session/helpers.h"

#include <QApplication>
#include <QDialog>
#include <algorithm>

namespace frontend {

Application::Application(Edition edition, Services services, const QString& programFolder)
    : edition_(edition), services_(services), programFolder_(programFolder) {
    services_.dialogs.setProductWord(productWord());
    RegisterScreens(*this);
}

Application::~Application() {
    for (LoadedScreen& entry : loaded_) delete entry.screen.data();
}

QString Application::productWord() const { return EditionWord(edition_); }

void Application::start() {
    StartUp(session_, store_, programFolder_);
    showScreen(ScreenId::Start);
}

void Application::registerScreen(ScreenId id, ScreenFactory factory) { screenFactories_[id] = std::move(factory); }

void Application::registerDialog(DialogId id, DialogFactory factory) { dialogFactories_[id] = std::move(factory); }

std::unique_ptr<QDialog> Application::makeDialog(DialogId id, QWidget* parent) {
    const auto factory = dialogFactories_.find(id);
    if (factory == dialogFactories_.end()) return nullptr;
    return factory->second(*this, parent);
}

MainScreen* Application::loaded(ScreenId id) const {
    for (const LoadedScreen& entry : loaded_)
        if (entry.id == id && entry.screen) return entry.screen;
    return nullptr;
}

std::vector<MainScreen*> Application::loadedScreens() const {
    std::vector<MainScreen*> screens;
    for (const LoadedScreen& entry : loaded_)
        if (entry.screen) screens.push_back(entry.screen);
    return screens;
}

MainScreen* Application::load(ScreenId id) {
    if (MainScreen* screen = loaded(id)) return screen;
    const auto factory = screenFactories_.find(id);
    if (factory == screenFactories_.end()) return nullptr;
    MainScreen* screen = factory->second(*this);
    loaded_.push_back({id, screen});
    return screen;
}

void Application::showScreen(ScreenId id, QWidget* from, bool hourglass) {
    if (hourglass) QApplication::setOverrideCursor(Qt::WaitCursor);
    if (MainScreen* target = load(id)) {
        if (from && from != target) from->hide();
        target->show();
        target->raise();
        target->activateWindow();
        target->activate();
    }
    if (hourglass) QApplication::restoreOverrideCursor();
}

bool Application::unload(MainScreen* screen) {
    if (!screen) return true;
    if (!screen->unload()) return false;
    forget(screen);
    return true;
}

void Application::forget(MainScreen* screen) {
    std::erase_if(loaded_, [screen](const LoadedScreen& entry) { return !entry.screen || entry.screen == screen; });
}

void Application::refreshSaveState() {
    for (MainScreen* screen : loadedScreens()) screen->showSaveState();
}

void Application::end() {
    if (ended_) return;
    ended_ = true;
    help().quit();
    emit ended();
}

} // namespace frontend
