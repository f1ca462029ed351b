// The data screen frmData: reads, types, edits, deletes, swaps, clears and saves the data set,
// shown in the grid grdData over the screen's working arrays, which it copies to and from the store.
#ifndef FRONTEND_DATA_FRM_DATA_H
#define FRONTEND_DATA_FRM_DATA_H

#include "app/main_screen.h"
#include "app/screen_parts.h"
#include "data/data_file.h"
#include "data/point_table_model.h"

#include <memory>

class QLabel;
class QPushButton;
class QTableView;

namespace frontend {

class FrmData final : public MainScreen {
    Q_OBJECT
public:
    explicit FrmData(Application& app);
    ~FrmData() override;

    void activate() override;
    void showSaveState() override;

    // The commands of the screen's buttons, keys and mouse.
    void enterData();
    void addPoint();
    void switchXY();
    void clearData();
    void saveData();
    void continueHome();
    // Editing a cell (rows and columns from 0) by a double click, Enter or F2, or by typing into it:
    // the input box starts with the typed text, or else with the cell's text.
    void editCell(int row, int column, const QString& typed = {});
    // The Delete key in the grid.
    void deleteSelection();
    // Typed entry after the n points already in the program.
    void typeInPoints(std::int16_t n);

    const PointArrays& points() const { return points_; }
    const PointTableModel& model() const { return *model_; }
    QTableView& grid() const { return *grdData_; }

protected:
    // The window's close button is Continue (Home): the data stay loaded.
    bool closeButtonUnloads() override;
    void toggleStyle() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void fillGrid();
    void showCaption();
    void sizeColumns();
    // The screen without data (Enter Data usable) or holding data (Enter Data disabled).
    void showEmptyState();
    void showHoldingState();
    void clearAndShowEmpty();
    // Puts the working arrays into the store after a change of the points.
    void storeChangedPoints();
    void pointsChanged();
    void resizeArrays(std::int16_t capacity);
    // Typed entry: room for 100 more points, up to MaxPoints.
    void growArrays();

    PointArrays points_;
    QString lastDialogFile_;
    bool refreshSuppressed_ = false;
    int rememberedRow_ = 0, rememberedColumn_ = 0;

    std::unique_ptr<WindowMenu> windowMenu_;
    PointTableModel* model_;
    QTableView* grdData_;
    QLabel* lblErrorMode_;
    QPushButton* cmdEnterData_;
    QPushButton* cmdSaveData_;
};

} // namespace frontend

#endif
