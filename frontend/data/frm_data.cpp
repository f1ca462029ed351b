#include "data/frm_data.h"

#include "app/help_pages.h"
#include "data/frm_data_entry_options.h"
#include "session/helpers.h"
#include "session/store.h"
#include "session/utilcore_calls.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <exception>

namespace frontend {
namespace {

// The error modes as the store holds them.
struct ErrorModes {
    std::int16_t yKind = YKindNotSet, ySub = 0, xMode = XModeNotSet;
    float yValue = 0, xValue = 0;

    bool yIndividual() const { return yKind == YKindGiven && ySub == YSubIndividual; }
    // The Y error column shows sigmas for kinds 1 and -1.
    bool yShown() const { return yKind == YKindGiven || yKind == YKindSquareRoot; }
    bool xSet() const { return xMode >= XModePercentage && xMode <= XModeIndividual; }
    // The X sigmas follow the X values (percentage or constant).
    bool xComputed() const { return xMode == XModePercentage || xMode == XModeConstant; }
};

ErrorModes CopyModes(DataStore& store, bool withX) {
    ErrorModes modes;
    bool byDialog = false;
    StoreYMode(store, modes.yKind, modes.ySub, modes.yValue, OutOfStore, byDialog);
    if (withX) StoreXMode(store, modes.xMode, modes.xValue, OutOfStore, byDialog);
    return modes;
}

// The sigmas that follow the values by the error mode, computed again after a change of the values.
void RecomputeYSigmas(PointArrays& points, const ErrorModes& modes) {
    if (!modes.yIndividual()) Sig(points.count, modes.yValue, modes.yKind, modes.ySub, points.y, points.ySigma);
}
void RecomputeXSigmas(PointArrays& points, const ErrorModes& modes, bool xErrorsAllowed) {
    if (xErrorsAllowed && modes.xComputed()) Sig(points.count, modes.xValue, YKindGiven, modes.xMode, points.x, points.xSigma);
}

const QString DataEntryError = QStringLiteral("Data Entry Error, please try again.");

QString NonPositiveTypedError(const char* axis) {
    const QString a = QString::fromLatin1(axis);
    return QStringLiteral("The ") + a + QStringLiteral(" error cannot be zero or negative; The program divides") +
           QStringLiteral(" by these values in order to find the reduced chi-squared") + QStringLiteral(" value--hence ") +
           a + QStringLiteral(" Error values of zero are not allowed.") + QStringLiteral("  Please try again");
}

QString UnexpectedError(const QString& crLf, const std::exception& error) {
    return QStringLiteral("Unexpected error--Please inform Physics Dept.") + crLf + QStringLiteral("Error number is ") +
           StrStyle(0) + crLf + QStringLiteral("Error description is ") + QString::fromLocal8Bit(error.what()) +
           crLf + QStringLiteral("Error source is ") + QStringLiteral("frmData");
}

QPushButton* MakeButton(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
}

} // namespace

FrmData::FrmData(Application& app) : MainScreen(app, ScreenId::Data, HelpContext::Data) {
    setObjectName(QStringLiteral("frmData"));
    setWindowFlags(WithoutCloseBox(Qt::Window));
    setWindowIcon(EditionIcon(app));

    QMenuBar* bar = menuBar();
    windowMenu_ = std::make_unique<WindowMenu>(
        *this, *bar,
        std::initializer_list<WindowMenu::Entry>{{ScreenId::Home, QStringLiteral("&Home Screen"), QStringLiteral("mnuWinHome")},
                                                 {ScreenId::Spreadsheet, QStringLiteral("&Spreadsheet"), QStringLiteral("mnuWinSpread")},
                                                 {ScreenId::Graph, QStringLiteral("&PGPlot Graph"), QStringLiteral("mnuWinPGPlot")},
                                                 {ScreenId::Fit, QStringLiteral("Fit Screen"), QStringLiteral("mnuWinFit")}});
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    QAction* direct = options->addAction(QStringLiteral("&Direct Spreadsheet Entry"));
    direct->setObjectName(QStringLiteral("DirectDataEntry"));
    AddHelpMenu(*this, *bar);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* layout = new QGridLayout(central);

    cmdEnterData_ = MakeButton(central, QStringLiteral("cmdEnterData"), QStringLiteral("&Enter Data"));
    cmdEnterData_->setDefault(true);
    auto* cmdEdit = MakeButton(central, QStringLiteral("cmdEdit"), QStringLiteral("Edit/Delete Data &Point"));
    auto* cmdAddPoint = MakeButton(central, QStringLiteral("cmdAddPoint"), QStringLiteral("&Add Point"));
    auto* cmdSwitchXY = MakeButton(central, QStringLiteral("cmdSwitchXY"), QStringLiteral("&Switch X  && Y"));
    auto* cmdClearData = MakeButton(central, QStringLiteral("cmdClearData"), QStringLiteral("&Clear Data in Program"));
    cmdSaveData_ = MakeButton(central, QStringLiteral("cmdSaveData"), QStringLiteral("Save Data to &File"));
    SetGoState(*cmdSaveData_, false);
    auto* cmdContinue =
        MakeButton(central, QStringLiteral("cmdContinue"), QStringLiteral("Continue (Ho&me)"));
    lblErrorMode_ = new QLabel(QStringLiteral("Error Mode"), central);
    lblErrorMode_->setObjectName(QStringLiteral("lblErrorMode"));
    lblErrorMode_->setFrameShape(QFrame::Panel);
    lblErrorMode_->setFrameShadow(QFrame::Sunken);
    lblErrorMode_->setAlignment(Qt::AlignCenter);
    lblErrorMode_->setMinimumHeight(40);

    auto* buttons = new QVBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{cmdEnterData_, cmdEdit, cmdAddPoint, cmdSwitchXY, cmdClearData,
                                                           cmdSaveData_, lblErrorMode_})
        buttons->addWidget(widget);
    buttons->addStretch();
    buttons->addWidget(cmdContinue);

    model_ = new PointTableModel(points_, this);
    grdData_ = new QTableView(central);
    grdData_->setObjectName(QStringLiteral("grdData"));
    grdData_->setModel(model_);
    QFont courier(QStringLiteral("Courier New"), 8);
    courier.setStyleHint(QFont::Monospace);
    grdData_->setFont(courier);
    grdData_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdData_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every row as high as the first, so that 16000 rows scroll without measuring them.
    grdData_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdData_->verticalHeader()->setDefaultSectionSize(grdData_->fontMetrics().height() + 6);
    grdData_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdData_->installEventFilter(this);
    layout->addWidget(grdData_, 0, 0);
    layout->addLayout(buttons, 0, 1);
    layout->setColumnStretch(0, 1);

    connect(cmdEnterData_, &QPushButton::clicked, this, &FrmData::enterData);
    connect(cmdEdit, &QPushButton::clicked, this, [this] {
        this->app().dialogs().message(
            QStringLiteral("To edit a cell, double click on it.") + this->app().session().CrLf + this->app().session().CrLf +
            QStringLiteral("To delete a data point, select the point by clicking") +
            QStringLiteral(" on the point number in the grey region to the left") +
            QStringLiteral(" of the X column and press the keyboard Delete key.") +
            QStringLiteral("  You may select multiple contiguous") +
            QStringLiteral(" points by dragging the mouse along the point numbers."));
    });
    connect(cmdAddPoint, &QPushButton::clicked, this, &FrmData::addPoint);
    connect(cmdSwitchXY, &QPushButton::clicked, this, &FrmData::switchXY);
    connect(cmdClearData, &QPushButton::clicked, this, &FrmData::clearData);
    connect(cmdSaveData_, &QPushButton::clicked, this, &FrmData::saveData);
    connect(cmdContinue, &QPushButton::clicked, this, &FrmData::continueHome);
    connect(grdData_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { editCell(index.row(), index.column()); });

    resize(720, 520);
    CentreOnScreen(*this);
}

FrmData::~FrmData() = default;

void FrmData::activate() {
    if (refreshSuppressed_) {
        refreshSuppressed_ = false;
        return;
    }
    try {
        refresh();
    } catch (const std::exception& error) {
        app().dialogs().message(UnexpectedError(app().session().CrLf, error));
    }
}

void FrmData::refresh() {
    Application& application = app();
    Session& session = application.session();
    DataStore& store = application.store();

    if (const std::optional<QString> text = YModeLabel(session, store)) lblErrorMode_->setText(*text);
    showCaption();
    windowMenu_->setVisible(ScreenId::Graph, true);
    windowMenu_->setEnabled(ScreenId::Graph, session.DataInProgram);
    windowMenu_->setEnabled(ScreenId::Fit, FitReady(session));

    model_->setXErrorColumn(session.XErrorsAllowed);
    sizeColumns();

    const ErrorModes modes = CopyModes(store, session.XErrorsAllowed);
    if (session.DataInProgram) {
        StoreCapacity(store, points_.capacity, OutOfStore);
        StorePoints(store, points_.x, points_.y, points_.ySigma, points_.capacity, OutOfStore);
        if (session.YErrorsEntered) StoreYErrorsRaw(store, points_.yErrorsRaw, points_.capacity, OutOfStore);
        StorePointCount(store, points_.count, OutOfStore);
        // The X arrays come along whenever the store holds them, so that storing the points after a
        // change never writes stale X errors back.
        if (session.XErrorsAllowed || session.XModeSet) StoreXSigma(store, points_.xSigma, points_.capacity, OutOfStore);
        if (session.XErrorsEntered)
            StoreXErrorsRaw(store, points_.xErrorsRaw, points_.capacity, OutOfStore);
        else
            points_.xErrorsRaw.assign(static_cast<std::size_t>(points_.capacity), 0.0f);
        resizeArrays(points_.capacity);
        model_->clear();
        fillGrid();
    } else {
        rememberedRow_ = rememberedColumn_ = 0;
    }

    const QString crLf = session.CrLf;
    const auto notEntered = [&](const char* axis) {
        return QString::fromLatin1(axis) + QStringLiteral(" Error Mode is set to individual errors for each point ") +
               crLf + QStringLiteral("but those errors have not yet been entered.  Please ") + crLf +
               QStringLiteral("either enter them here, or enter them on the spreadsheet, ") + crLf +
               QStringLiteral("move them to the Data Screen.");
    };
    if (modes.yIndividual() && session.DataInProgram && !session.YErrorsEntered)
        application.dialogs().message(notEntered("Y"));
    if (modes.xMode == XModeIndividual && session.XErrorsAllowed && session.DataInProgram && !session.XErrorsEntered)
        application.dialogs().message(notEntered("X"));

    application.refreshSaveState();
    grdData_->setFocus();
}

void FrmData::showSaveState() { SetGoState(*cmdSaveData_, app().session().DataInProgram); }

void FrmData::showCaption() {
    setWindowTitle(
        DataScreenCaption(app().session(), QStringLiteral("Data Screen"), CurrentDataName(app().store())));
}

void FrmData::sizeColumns() {
    const int columns = model_->columnCount();
    const int width = grdData_->viewport()->width() > 0 ? grdData_->width() : 400;
    // 270 twips: room for the vertical scroll bar.
    const int each = std::max(40, (width - grdData_->verticalHeader()->width() - 18) / columns);
    for (int column = 0; column < columns; ++column) grdData_->setColumnWidth(column, each);
}

void FrmData::resizeEvent(QResizeEvent* event) {
    MainScreen::resizeEvent(event);
    sizeColumns();
}

void FrmData::resizeArrays(std::int16_t capacity) {
    const auto length = static_cast<std::size_t>(std::max<int>(capacity, 0));
    for (std::vector<float>* array : points_.arrays()) array->resize(length, 0.0f);
    points_.capacity = capacity;
}

void FrmData::growArrays() {
    resizeArrays(static_cast<std::int16_t>(std::min<int>(points_.capacity + 100, MaxPoints)));
}

void FrmData::fillGrid() {
    const Session& session = app().session();
    const ErrorModes modes = CopyModes(app().store(), true);
    const bool ySigma = modes.yShown() && (!modes.yIndividual() || session.YErrorsEntered);
    const bool xSigma =
        session.XErrorsAllowed && (modes.xComputed() || (modes.xMode == XModeIndividual && session.XErrorsEntered));
    model_->fill(points_.count, ySigma, xSigma);
    grdData_->setFocus();
}

void FrmData::showHoldingState() {
    Session& session = app().session();
    cmdEnterData_->setEnabled(false);
    session.DataInProgram = true;
    windowMenu_->setEnabled(ScreenId::Graph, true);
    windowMenu_->setEnabled(ScreenId::Fit, FitReady(session));
    app().refreshSaveState();
}

void FrmData::showEmptyState() {
    cmdEnterData_->setEnabled(true);
    windowMenu_->setEnabled(ScreenId::Graph, false);
    windowMenu_->setEnabled(ScreenId::Fit, false);
    app().refreshSaveState();
}

void FrmData::clearAndShowEmpty() {
    model_->clear();
    ClearAllData(app().session(), app().store(), points_);
    showEmptyState();
}

void FrmData::enterData() {
    Application& application = app();
    Session& session = application.session();
    refreshSuppressed_ = true;
    try {
        FrmDataEntryOptions options(application, this);
        runModal(options);
        if (session.EntryFromFile) {
            FileDialogRequest request = OpenDataFileRequest();
            request.fileName = lastDialogFile_;
            if (const std::optional<QString> path = application.dialogs().openFile(request)) {
                lastDialogFile_ = *path;
                switch (ReadDataFile(session, application.store(), application.dialogs(), *path, points_)) {
                case ReadOutcome::Read:
                    resizeArrays(points_.capacity);
                    model_->clear();
                    fillGrid();
                    showHoldingState();
                    break;
                case ReadOutcome::Unreadable: clearAndShowEmpty(); break;
                default: break;
                }
                showCaption();
            }
        } else if (session.EntryFromKeyboard) {
            typeInPoints(0);
        }
        rememberedRow_ = rememberedColumn_ = 0;
        LeaveDriveA(session);
    } catch (const std::exception& error) {
        application.dialogs().message(UnexpectedError(session.CrLf, error));
    }
    refreshSuppressed_ = false;
    grdData_->setFocus();
}

void FrmData::addPoint() {
    if (app().session().DataInProgram) typeInPoints(points_.count);
}

void FrmData::typeInPoints(std::int16_t n) {
    Application& application = app();
    Session& session = application.session();
    DataStore& store = application.store();
    Dialogs& dialogs = application.dialogs();
    const bool withX = session.XErrorsAllowed || session.XModeSet;
    const ErrorModes modes = CopyModes(store, withX);

    // A full data set takes no more points: the grid and the counts end at 16000.
    if (n >= MaxPoints) {
        dialogs.message(QStringLiteral("too many data points; maximum number is ") + StrStyle(MaxPoints));
        return;
    }
    if (n == 0) {
        points_ = PointArrays{};
        resizeArrays(100);
    } else if (n >= points_.capacity) {
        growArrays();
    } else {
        resizeArrays(points_.capacity);
    }
    points_.count = n;

    const bool typeX = session.XErrorsAllowed && modes.xMode == XModeIndividual;
    const bool typeY = modes.yIndividual();
    QString firstLine, lastLine = QStringLiteral("separated by commas:");
    if (typeX && typeY) {
        firstLine = QStringLiteral("Please enter X, Xerr, Y, and Yerr for");
    } else if (typeX) {
        firstLine = QStringLiteral("Please enter X, Xerr, and Y for");
    } else if (typeY) {
        firstLine = QStringLiteral("Please enter X, Y, and Yerr for");
    } else {
        firstLine = QStringLiteral("Please enter X and Y for");
        lastLine = QStringLiteral("separated by a comma:");
    }
    const std::size_t fieldCount = 2 + (typeX ? 1 : 0) + (typeY ? 1 : 0);
    model_->fill(n, modes.yShown(), session.XErrorsAllowed && modes.xSet());

    const QString crLf = session.CrLf;
    QString defaultAnswer = QStringLiteral(" ");
    for (;;) {
        const std::size_t i = static_cast<std::size_t>(points_.count);
        const std::optional<QString> answer =
            dialogs.input(firstLine + crLf + QStringLiteral("data point ") + StrStyle(points_.count + 1) + crLf +
                              lastLine + crLf + crLf + QStringLiteral("Please enter asterisk (*) when done."),
                          QStringLiteral("Enter data points:"), defaultAnswer);
        defaultAnswer = QStringLiteral(" ");
        const QString text = answer.value_or(QString()).trimmed();
        if (text.isEmpty() && points_.count < 3) {
            clearAndShowEmpty();
            return;
        }
        if (text.isEmpty() || text.startsWith(u'*')) {
            if (points_.count >= 3) break;
            dialogs.message(QStringLiteral("You must have at least 3 data points"));
            continue;
        }
        const std::optional<std::vector<float>> fields = ReadNumbers(text);
        if (!fields || fields->size() != fieldCount) {
            dialogs.message(DataEntryError);
            defaultAnswer = *answer;
            continue;
        }
        const std::vector<float>& v = *fields;
        const float x = v[0];
        const float xError = typeX ? v[1] : 0.0f;
        const float y = v[typeX ? 2 : 1];
        const float yError = typeY ? v.back() : 0.0f;
        if (typeX && !(xError > 0.0f)) {
            dialogs.message(NonPositiveTypedError("X"));
            continue;
        }
        if (typeY && !(yError > 0.0f)) {
            dialogs.message(NonPositiveTypedError("Y"));
            continue;
        }

        points_.x[i] = x;
        points_.y[i] = y;
        if (typeY) points_.yErrorsRaw[i] = yError;
        points_.ySigma[i] = typeY ? yError : SigmaOf(y, modes.yValue, modes.yKind, modes.ySub, points_.ySigma[i]);
        if (typeX) points_.xErrorsRaw[i] = xError;
        if (withX)
            points_.xSigma[i] = typeX ? xError : SigmaOf(x, modes.xValue, YKindGiven, modes.xMode, points_.xSigma[i]);
        ++points_.count;
        model_->showRows(points_.count);
        if (points_.count == MaxPoints) {
            dialogs.message(QStringLiteral("maximum number of ") + StrStyle(points_.capacity) + QStringLiteral("data") +
                            crLf + QStringLiteral("points has been reached."));
            break;
        }
        if (points_.count == points_.capacity) growArrays();
    }

    if (typeY) session.YErrorsEntered = true;
    if (typeX) session.XErrorsEntered = true;
    StoreCapacity(store, points_.capacity, IntoStore);
    storeChangedPoints();
    if (n == 0) {
        QString name = UntitledDataName; // a new data set typed in
        StoreDataName(store, name, IntoStore);
    }
    session.DataSaved = false;
    session.FitDone = false;
    showHoldingState();
}

void FrmData::editCell(int row, int column, const QString& typed) {
    Application& application = app();
    Session& session = application.session();
    Dialogs& dialogs = application.dialogs();
    if (!session.DataInProgram || row < 0 || row >= points_.count) return;
    const std::optional<PointColumn> kind = model_->kindOf(column);
    if (!kind) return;
    const ErrorModes modes = CopyModes(application.store(), true);
    if (*kind == PointColumn::YError && !modes.yIndividual()) {
        dialogs.message(QStringLiteral("Y Error can't be edited in current error mode"));
        return;
    }
    if (*kind == PointColumn::XError && modes.xMode != XModeIndividual) {
        dialogs.message(QStringLiteral("X Error can't be edited in current error mode"));
        return;
    }

    const auto r = static_cast<std::size_t>(row);
    const auto n = points_.count;
    QString defaultAnswer =
        typed.isEmpty() ? model_->data(model_->index(row, column), Qt::DisplayRole).toString() : typed;
    for (;;) {
        const std::optional<QString> answer =
            dialogs.input(QStringLiteral("Please edit point."), QStringLiteral("Edit Data"), defaultAnswer);
        const QString text = answer.value_or(QString()).trimmed();
        if (text.isEmpty()) return;
        const std::optional<float> value = TrapReal(text);
        if (!value) {
            dialogs.message(DataEntryError);
            defaultAnswer = *answer;
            continue;
        }
        if ((*kind == PointColumn::YError || *kind == PointColumn::XError) && !(*value > 0.0f)) {
            dialogs.message(NonPositiveTypedError(*kind == PointColumn::YError ? "Y" : "X"));
            defaultAnswer = *answer;
            continue;
        }
        switch (*kind) {
        case PointColumn::X:
            points_.x[r] = *value;
            RecomputeXSigmas(points_, modes, session.XErrorsAllowed);
            break;
        case PointColumn::Y:
            points_.y[r] = *value;
            RecomputeYSigmas(points_, modes);
            break;
        case PointColumn::YError:
            points_.yErrorsRaw[r] = *value;
            session.YErrorsEntered = true;
            std::copy_n(points_.yErrorsRaw.begin(), n, points_.ySigma.begin());
            break;
        case PointColumn::XError:
            points_.xErrorsRaw[r] = *value;
            session.XErrorsEntered = true;
            std::copy_n(points_.xErrorsRaw.begin(), n, points_.xSigma.begin());
            break;
        }
        break;
    }
    fillGrid();
    StoreCapacity(application.store(), points_.capacity, OutOfStore);
    resizeArrays(points_.capacity);
    storeChangedPoints();
    pointsChanged();
}

void FrmData::storeChangedPoints() {
    Session& session = app().session();
    DataStore& store = app().store();
    const std::int16_t capacity = points_.capacity;
    StorePointCount(store, points_.count, IntoStore);
    StorePoints(store, points_.x, points_.y, points_.ySigma, capacity, IntoStore);
    if (session.YErrorsEntered) StoreYErrorsRaw(store, points_.yErrorsRaw, capacity, IntoStore);
    if (session.XErrorsAllowed || session.XModeSet) StoreXSigma(store, points_.xSigma, capacity, IntoStore);
    if (session.XErrorsEntered) StoreXErrorsRaw(store, points_.xErrorsRaw, capacity, IntoStore);
}

void FrmData::pointsChanged() {
    Session& session = app().session();
    session.DataSaved = false;
    session.FitDone = false;
    app().refreshSaveState();
}

void FrmData::deleteSelection() {
    Application& application = app();
    Session& session = application.session();
    QItemSelectionModel& selection = *grdData_->selectionModel();
    if (!session.DataInProgram) {
        selection.select(grdData_->currentIndex(), QItemSelectionModel::ClearAndSelect);
        return;
    }
    const QModelIndexList cells = selection.selectedIndexes();
    if (cells.isEmpty()) return;
    int r1 = cells.front().row(), r2 = r1, c1 = cells.front().column(), c2 = c1;
    for (const QModelIndex& cell : cells) {
        r1 = std::min(r1, cell.row());
        r2 = std::max(r2, cell.row());
        c1 = std::min(c1, cell.column());
        c2 = std::max(c2, cell.column());
    }
    // Cells that do not fill their bounding rectangle are more than one group.
    if (static_cast<long long>(cells.size()) != static_cast<long long>(r2 - r1 + 1) * (c2 - c1 + 1)) {
        application.dialogs().message(QStringLiteral("Please select only one group of rows to delete"));
        return;
    }
    if (c1 != 0 || c2 < model_->columnCount() - 1) return;
    if (r2 >= points_.count) {
        application.dialogs().message(QStringLiteral("At least one empty row is selected.  Please try again."));
        return;
    }
    QString question;
    if (r1 == 0 && r2 == points_.count - 1)
        question = QStringLiteral("All data will be deleted");
    else if (r1 == r2)
        question = QStringLiteral("Data point ") + StrStyle(r1 + 1) + QStringLiteral(" will be deleted");
    else
        question = QStringLiteral("Data points ") + StrStyle(r1 + 1) + QStringLiteral(" to ") + StrStyle(r2 + 1) +
                   QStringLiteral(" will be deleted");
    if (application.dialogs().message(question, MessageButtons::OkCancel, MessageIcon::Question,
                                      QStringLiteral("Delete")) != MessageAnswer::Ok)
        return;

    // Every array loses the rows, so that each error stays with its point.
    for (std::vector<float>* array : points_.arrays()) {
        array->erase(array->begin() + r1, array->begin() + r2 + 1);
        array->resize(static_cast<std::size_t>(points_.capacity), 0.0f);
    }
    points_.count = static_cast<std::int16_t>(points_.count - (r2 - r1 + 1));
    selection.clearSelection();
    if (points_.count > 0) {
        storeChangedPoints();
        model_->clear();
        fillGrid();
    } else {
        clearAndShowEmpty();
    }
    pointsChanged();
}

void FrmData::switchXY() {
    Application& application = app();
    Session& session = application.session();
    if (!session.DataInProgram) return;
    const ErrorModes modes = CopyModes(application.store(), true);
    const std::int16_t n = points_.count;
    std::swap_ranges(points_.x.begin(), points_.x.begin() + n, points_.y.begin());
    RecomputeYSigmas(points_, modes);
    RecomputeXSigmas(points_, modes, session.XErrorsAllowed);
    storeChangedPoints();
    model_->clear();
    fillGrid();
    pointsChanged();
}

void FrmData::clearData() {
    Session& session = app().session();
    if (!session.DataInProgram) return;
    // Points typed or changed since the last save exist nowhere else.
    if (!session.DataSaved &&
        app().dialogs().message(QStringLiteral("The data in the program have not been saved to a file.") +
                                    session.CrLf +
                                    QStringLiteral("OK clears them for good; Cancel keeps them."),
                                MessageButtons::OkCancel, MessageIcon::Question,
                                QStringLiteral("Clear Data in Program")) != MessageAnswer::Ok)
        return;
    clearAndShowEmpty();
    grdData_->setCurrentIndex(model_->index(0, 0));
    session.EntryFromFile = session.EntryFromKeyboard = session.FitDone = false;
    showCaption();
    rememberedRow_ = rememberedColumn_ = 0;
    grdData_->setFocus();
}

void FrmData::saveData() {
    Application& application = app();
    if (!application.session().DataInProgram) return;
    const std::optional<QString> path = application.dialogs().saveFile(SaveDataFileRequest(lastDialogFile_));
    if (!path) return;
    lastDialogFile_ = *path;
    if (SaveDataFile(application.session(), application.store(), application.dialogs(), *path))
        application.refreshSaveState();
    showCaption();
    LeaveDriveA(application.session());
    grdData_->setFocus();
}

void FrmData::continueHome() {
    app().showScreen(ScreenId::Home, this);
}

bool FrmData::closeButtonUnloads() {
    continueHome();
    return false;
}

void FrmData::toggleStyle() { ToggleStyle(app().session(), *windowMenu_); }

bool FrmData::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grdData_) return MainScreen::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            deleteSelection();
            return true;
        }
        const QModelIndex cell = grdData_->currentIndex();
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F2) {
            if (cell.isValid()) editCell(cell.row(), cell.column());
            return true;
        }
        // Typing into a cell starts editing it with what was typed.
        const QString typed = key->text();
        if (!typed.isEmpty() && typed.front().isPrint() && !typed.front().isSpace() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            if (cell.isValid()) editCell(cell.row(), cell.column(), typed);
            return true;
        }
        if (key->key() == Qt::Key_End && !(key->modifiers() & Qt::ShiftModifier) && app().session().DataInProgram) {
            const int row = std::max(grdData_->currentIndex().row(), 0);
            grdData_->setCurrentIndex(model_->index(row, model_->columnCount() - 1));
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
        rememberedRow_ = grdData_->currentIndex().row();
        rememberedColumn_ = grdData_->currentIndex().column();
        break;
    case QEvent::FocusIn:
        if (rememberedRow_ >= 0 && rememberedColumn_ >= 0)
            grdData_->setCurrentIndex(model_->index(rememberedRow_, rememberedColumn_));
        break;
    default: break;
    }
    return MainScreen::eventFilter(watched, event);
}

} // namespace frontend
