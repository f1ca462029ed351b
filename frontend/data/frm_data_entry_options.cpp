#include "data/frm_data_entry_options.h"

#include "app/help_pages.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace frontend {

FrmDataEntryOptions::FrmDataEntryOptions(Application& app, QWidget* parent)
    : ModalDialog(app, parent, HelpContext::DataEntryOptions) {
    setObjectName(QStringLiteral("frmDataEntryOptions"));
    setWindowTitle(QStringLiteral("Data Entry Options"));

    auto* layout = new QVBoxLayout(this);
    auto* fromFile = new QRadioButton(QStringLiteral("Enter data from disk file"), this);
    fromFile->setObjectName(QStringLiteral("optDataFrFile"));
    auto* fromKeyboard = new QRadioButton(QStringLiteral("Enter data from keyboard"), this);
    fromKeyboard->setObjectName(QStringLiteral("optDataFrKeyboard"));
    auto* hint = new QLabel(QStringLiteral("Click on OK or hit Enter key to continue"), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    layout->addWidget(fromFile);
    layout->addWidget(fromKeyboard);
    layout->addWidget(hint);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    Session& session = app.session();
    connect(fromFile, &QRadioButton::clicked, this, [&session] {
        session.EntryFromFile = true;
        session.EntryFromKeyboard = false;
    });
    connect(fromKeyboard, &QRadioButton::clicked, this, [&session] {
        session.EntryFromFile = false;
        session.EntryFromKeyboard = true;
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace frontend
