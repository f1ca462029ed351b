#include "fit/report_preview.h"

#include <QMouseEvent>
#include <QPainter>

namespace frontend {

ReportPreview::ReportPreview(QWidget* parent) : QScrollArea(parent), paper_(new QWidget) {
    setObjectName(QStringLiteral("vsPrn"));
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignHCenter);
    paper_->installEventFilter(this);
    setWidget(paper_);
}

void ReportPreview::setLayout(const ReportLayout* layout) {
    layout_ = layout;
    page_ = 1;
    resizePage();
    paper_->update();
}

void ReportPreview::setCurrentPage(int page) {
    if (!layout_ || page < 1 || page > layout_->pageCount()) return;
    page_ = page;
    paper_->update();
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    resizePage();
}

void ReportPreview::resizePage() {
    const QSizeF paper = layout_ ? layout_->geometry().paperTwips : LetterPage().paperTwips;
    const int width = std::max(200, viewport()->width() - 20);
    paper_->resize(width, static_cast<int>(width * paper.height() / paper.width()));
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == paper_ && event->type() == QEvent::Paint) {
        QPainter painter(paper_);
        painter.fillRect(paper_->rect(), Qt::white);
        if (layout_) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            const double scale = paper_->width() / layout_->geometry().paperTwips.width();
            painter.scale(scale, scale);
            layout_->paint(painter, page_ - 1);
        }
        return true;
    }
    if (watched == paper_ && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton && mouse->modifiers() == Qt::ShiftModifier) {
            emit styleToggleRequested();
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

} // namespace frontend
