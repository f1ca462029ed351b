#include "platform/system_services.h"

#include <QProcess>

namespace frontend {

bool QtProcesses::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

std::optional<int> QtProcesses::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    // The child's output goes where ours goes, so a talkative child never fills a pipe we would drain.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(-1)) return std::nullopt;
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit) return std::nullopt;
    return process.exitCode();
}

} // namespace frontend
