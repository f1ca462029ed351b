#include "session/session.h"

#include "session/store.h"

#include <QDir>

namespace frontend {

QString EditionCode(Edition edition) {
    return edition == Edition::Linear ? QStringLiteral("LIN") : QStringLiteral("NON");
}

void StartUp(Session& session, DataStore& store, const QString& programFolder) {
    std::int16_t yKind = YKindNotSet, ySub = 0, xMode = XModeNotSet;
    float yValue = 0, xValue = 0;
    bool notByDialog = false;
    StoreYMode(store, yKind, ySub, yValue, IntoStore, notByDialog);
    StoreXMode(store, xMode, xValue, IntoStore, notByDialog);

    session = Session{};
    session.CrLf = QStringLiteral("\r\n");
    session.AppPath = programFolder.trimmed();
    if (!session.AppPath.endsWith(QDir::separator())) session.AppPath += QDir::separator();
}

} // namespace frontend
