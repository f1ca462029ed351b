// The report view of the fit screen: one page of the laid-out report at a time, scaled to the
// view's width, in a scroll area (the arrow keys scroll the page).
#ifndef FRONTEND_FIT_REPORT_PREVIEW_H
#define FRONTEND_FIT_REPORT_PREVIEW_H

#include "fit/report_layout.h"

#include <QScrollArea>

namespace frontend {

class ReportPreview final : public QScrollArea {
    Q_OBJECT
public:
    explicit ReportPreview(QWidget* parent = nullptr);

    // Shows the first page of a new layout (the view keeps its own reference; the layout must live on).
    void setLayout(const ReportLayout* layout);
    int pageCount() const { return layout_ ? layout_->pageCount() : 0; }
    int currentPage() const { return page_; } // 1-based
    void setCurrentPage(int page);

signals:
    // Shift + right mouse button on the page.
    void styleToggleRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void resizePage();

    const ReportLayout* layout_ = nullptr;
    int page_ = 1;
    QWidget* paper_;
};

} // namespace frontend

#endif
