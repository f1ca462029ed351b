#include "session/frm_about.h"

#include "app/help_pages.h"
#include "app/screen_parts.h"
#include "session/helpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace frontend {

FrmAbout::FrmAbout(Application& app, QWidget* parent) : ModalDialog(app, parent, HelpContext::About) {
    setObjectName(QStringLiteral("frmAbout"));
    const Session& session = app.session();
    const QString word = EditionWord(session.Edition);
    const bool linear = IsLinearEdition(session);
    setWindowTitle(QStringLiteral("About ") + word);
    setWindowIcon(EditionIcon(app));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setFixedSize(64, 64);
    ShowPicture(*picture, EditionIconFile(app));

    auto* title = new QLabel(word, this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* version = new QLabel(QStringLiteral("Version %1.%2.%3  (Fall 2008)")
                                   .arg(VersionMajor)
                                   .arg(VersionMinor)
                                   .arg(VersionRevision),
                               this);
    version->setObjectName(QStringLiteral("lblVersion"));

    const QString crLf = session.CrLf;
    auto* description = new QLabel(
        word + QStringLiteral(" is a data analysis, graphing, and ") +
            (linear ? QStringLiteral("linear") : QStringLiteral("non-linear")) + QStringLiteral(" least-squares ") +
            QStringLiteral("curve fitting program ") + QStringLiteral("for use in Physics Department laboratories.") +
            QStringLiteral(" If you need assistance, have suggestions,") +
            QStringLiteral(" or wish to report problems with the program, ") +
            QStringLiteral("please talk to your laboratory instructor or write to the Department of Physics.") +
            crLf + crLf +
            QStringLiteral("Students may obtain a copy for their own computers from the Department of Physics."),
        this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setWordWrap(true);
    description->setMinimumWidth(380);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(description, 2, 0, 1, 2);
    layout->addWidget(ok, 3, 1, Qt::AlignRight);
}

} // namespace frontend
