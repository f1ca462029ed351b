// Help: the help viewer, addressed by context numbers; every screen tells it to quit when it unloads.
#ifndef FRONTEND_PLATFORM_HELP_H
#define FRONTEND_PLATFORM_HELP_H

namespace frontend {

inline constexpr int HelpContentsContext = 50;

class Help {
public:
    virtual ~Help() = default;
    virtual void showContext(int context) = 0;
    void showContents() { showContext(HelpContentsContext); }
    virtual void showHelpOnHelp() = 0;
    virtual void quit() = 0;
};

} // namespace frontend

#endif
