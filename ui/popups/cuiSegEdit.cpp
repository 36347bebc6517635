#include "ui/popups/cuiSegEdit.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "platform/qt/FocusReturn.h"
#include "ui/popups/PopupPlacement.h"
#include "ui/widgets/cuiGrid.h"
#include "ui/widgets/cuiPaintBox.h"

namespace {

constexpr int kBorder = 5;
constexpr int kBoxSize = 200;
constexpr int kDrawSize = 180;
constexpr int kMargin = 10;
constexpr int kButtonWidth = 84;
constexpr int kButtonGap = 4;

}  // namespace

cuiSegEdit::cuiSegEdit(const cmcCellCapsule& capsule, uint16_t pattern, cmcGTex& table,
                       Dispatch dispatch)
    : QDialog(capsule.grid, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      segchar_(table),
      dispatch_(std::move(dispatch)) {
    capsule_.CopyFrom(capsule);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(table.GetLine("GI_AppInd_CharacterEditorCaption", 0)));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* drawing = new QWidget(this);
    auto* drawingLayout = new QVBoxLayout(drawing);
    drawingLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    paintBox_ = new cuiPaintBox(drawing);
    paintBox_->setFixedSize(kBoxSize, kBoxSize);
    paintBox_->OnPaint = [this](QPainter& painter) { Paint(painter); };
    paintBox_->OnMouseDown = [this](Qt::MouseButton button, QPoint at) { OnMouseDown(button, at); };
    paintBox_->OnKeyDown = [this](int key) { return OnKeyDown(key); };
    paintBox_->setFocusPolicy(Qt::StrongFocus);
    drawingLayout->addWidget(paintBox_);
    layout->addWidget(drawing);

    auto* buttons = new QWidget(this);
    auto* buttonLayout = new QVBoxLayout(buttons);
    buttonLayout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    buttonLayout->setSpacing(kButtonGap);
    buttonLayout->addStretch(1);
    ok_ = new QPushButton(QString::fromStdString(table.GetLine("GI_AppInd_Button_OkCancel", 0)),
                          buttons);
    cancel_ = new QPushButton(QString::fromStdString(table.GetLine("GI_AppInd_Button_OkCancel", 1)),
                              buttons);
    for (QPushButton* button : {ok_, cancel_}) {
        button->setFixedWidth(kButtonWidth);
        buttonLayout->addWidget(button);
    }
    ok_->setDefault(true);
    layout->addWidget(buttons);
    QObject::connect(ok_, &QPushButton::clicked, this, [this] { OnOk(); });
    QObject::connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    segchar_.SetPattern(pattern);
    cursor_ = segchar_.FirstSwitchable();
    adjustSize();
    setFixedSize(size());
    PlaceBesideCurrentCell(*this, capsule.grid);
    callingGrid_ = capsule.grid;
    QObject::connect(this, &QDialog::finished, this,
                     [this] { platform::qt::ReturnFocus(callingGrid_); });
    bus_ = CurrentEvMan();
    if (bus_) {
        bus_->AddListener(OnEventThunk, this);
    }
    // The main window takes no input while the dialog is open.
    setWindowModality(Qt::ApplicationModal);
    show();
    paintBox_->setFocus();
}

cuiSegEdit::~cuiSegEdit() {
    if (bus_) {
        bus_->RemoveListener(OnEventThunk, this);
    }
}

double cuiSegEdit::Scale() const {
    return std::min(kDrawSize / segchar_.Width(), kDrawSize / segchar_.Height());
}

QPoint cuiSegEdit::ToBox(GeoPoint point) const {
    const double scale = Scale();
    return {WholeCoordinate((point.x - static_cast<double>(segchar_.MinX())) * scale + kMargin),
            WholeCoordinate((point.y - static_cast<double>(segchar_.MinY())) * scale + kMargin)};
}

GeoPoint cuiSegEdit::FromBox(QPoint at) const {
    const double scale = Scale();
    return {WholeCoordinate((at.x() - kMargin) / scale + segchar_.MinX()),
            WholeCoordinate((at.y() - kMargin) / scale + segchar_.MinY())};
}

void cuiSegEdit::Paint(QPainter& painter) {
    if (!segchar_.HasExtent()) {
        return;
    }
    for (const Segment& segment : segchar_.Segments()) {
        if (!segment.IsToggleable()) {
            continue;
        }
        const QColor colour = segment.IsOn() ? Qt::black : Qt::white;
        painter.setPen(colour);
        painter.setBrush(colour);
        for (const dataTriangle& triangle : segment.Triangles()) {
            QPolygon polygon;
            for (const GeoPoint& point : triangle.points) {
                polygon << ToBox(point);
            }
            painter.drawPolygon(polygon);
        }
    }
    PaintCursor(painter);
}

// The segment the keys act on, outlined while the drawing has the focus.
void cuiSegEdit::PaintCursor(QPainter& painter) {
    if (!paintBox_->hasFocus() || cursor_ < 0) {
        return;
    }
    QPainterPath outline;
    for (const dataTriangle& triangle :
         segchar_.Segments()[static_cast<std::size_t>(cursor_)].Triangles()) {
        QPolygon polygon;
        for (const GeoPoint& point : triangle.points) {
            polygon << ToBox(point);
        }
        outline.addPolygon(polygon);
        outline.closeSubpath();
    }
    painter.strokePath(outline.simplified(), QPen(palette().color(QPalette::Highlight), 2));
}

void cuiSegEdit::OnMouseDown(Qt::MouseButton button, QPoint at) {
    if (button != Qt::LeftButton || !segchar_.HasExtent()) {
        return;
    }
    const int segment = segchar_.SegmentAt(FromBox(at));
    if (segment >= 0) {
        segchar_.Toggle(segment);
        cursor_ = segment;
        paintBox_->update();
    }
}

// The arrow keys move over the segments and Space switches the one outlined, as in the bit-set
// editor; Enter (OK) and Esc (Cancel) go to the dialog.
bool cuiSegEdit::OnKeyDown(int key) {
    static constexpr struct {
        int key, dx, dy;
    } kArrows[] = {
        {Qt::Key_Left, -1, 0},
        {Qt::Key_Right, 1, 0},
        {Qt::Key_Up, 0, -1},
        {Qt::Key_Down, 0, 1},
    };
    for (const auto& arrow : kArrows) {
        if (arrow.key == key) {
            cursor_ = segchar_.Neighbour(cursor_, arrow.dx, arrow.dy);
            paintBox_->update();
            return true;
        }
    }
    if (key == Qt::Key_Space) {
        segchar_.Toggle(cursor_);
        paintBox_->update();
        return true;
    }
    return false;
}

void cuiSegEdit::OnOk() {
    cmcCellCapsule answer;
    answer.CopyFrom(capsule_);
    answer.inputMode = kInputPopupAnswer;
    answer.key = 0;
    answer.inText = std::to_string(segchar_.Pattern());
    dispatch_(answer, 1);
    accept();
}

void cuiSegEdit::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiSegEdit*>(data)->OnEvent(event);
}

// The calling sheet going takes the cell this dialog would answer to with it.
void cuiSegEdit::OnEvent(const cmcEvent& event) {
    if (event.type == EV_ControlDestroyed &&
        event.B == reinterpret_cast<intptr_t>(capsule_.control)) {
        callingGrid_ = nullptr;  // the grid is going
        reject();
    }
}
