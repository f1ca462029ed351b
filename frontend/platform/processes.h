// Processes: starting other programs with an argument list (never through a shell).
#ifndef FRONTEND_PLATFORM_PROCESSES_H
#define FRONTEND_PLATFORM_PROCESSES_H

#include <QString>
#include <QStringList>
#include <optional>

namespace frontend {

class Processes {
public:
    virtual ~Processes() = default;
    // Starts the program and returns at once; false when it could not be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // Starts the program and waits for its end; its exit code, or nothing when it could not be started
    // or did not end normally.
    virtual std::optional<int> run(const QString& program, const QStringList& arguments) = 0;
};

} // namespace frontend

#endif
