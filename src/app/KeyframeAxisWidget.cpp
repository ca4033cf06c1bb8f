#include "app/KeyframeAxisWidget.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace orlenza::app {

namespace {

// Monotonic milliseconds for the model's drag wait.
std::int64_t nowMs() {
  static QElapsedTimer const timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return timer.elapsed();
}

QRectF toQt(AxisRect const& r) { return {r.left, r.top, r.width, r.height}; }

QColor toQt(RGBColor const& c) { return QColor::fromRgba64(c.red, c.green, c.blue); }

}  // namespace

class KeyframeAxisWidget::Canvas : public QWidget {
 public:
  explicit Canvas(KeyframeAxisWidget& owner) : QWidget(&owner), m_owner(owner) {
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override {
    m_owner.m_axis.setViewSize(static_cast<float>(width()), static_cast<float>(height()));
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    QPointF const p = e->position();
    m_owner.m_axis.mousePress(static_cast<float>(p.x()), static_cast<float>(p.y()),
                              e->modifiers().testFlag(Qt::AltModifier), nowMs());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!e->buttons().testFlag(Qt::LeftButton)) return;
    QPointF const p = e->position();
    m_owner.m_axis.mouseMove(static_cast<float>(p.x()), static_cast<float>(p.y()), nowMs());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    QPointF const p = e->position();
    m_owner.m_axis.mouseRelease(static_cast<float>(p.x()), static_cast<float>(p.y()), nowMs());
  }
  void hideEvent(QHideEvent*) override { m_owner.m_axis.cancelGesture(); }
  void wheelEvent(QWheelEvent* e) override {
    QPoint const delta = e->angleDelta();
    int const steps = (delta.x() != 0 ? delta.x() : delta.y()) / 120;
    if (steps == 0) return;
    m_owner.m_axis.scrollTo(m_owner.m_axis.scrollOrigin() - static_cast<float>(steps) * m_owner.m_axis.scrollLineStep());
    e->accept();
  }

 private:
  KeyframeAxisWidget& m_owner;
};

void KeyframeAxisWidget::Canvas::paintEvent(QPaintEvent*) {
  KeyframeAxis const& axis = m_owner.m_axis;
  QPainter painter(this);
  painter.fillRect(rect(), QColor::fromRgbF(0.8f, 0.8f, 0.8f));
  painter.translate(-static_cast<qreal>(axis.scrollOrigin()), 0);
  painter.setRenderHint(QPainter::Antialiasing, false);

  qreal const mid = axis.midY();
  qreal const start = axis.axisStart();
  qreal const end = axis.axisEnd();
  painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(QPointF(start, mid), QPointF(end, mid));

  // A tick every tenth, longer at the ends and the middle.
  painter.setPen(QPen(Qt::black, 1));
  for (int i = 0; i <= 10; ++i) {
    qreal const x = axis.xOfPosition(KeyframePosition::fromSteps(i * 1000));
    qreal const half = i % 5 == 0 ? 9 : 5;
    painter.drawLine(QPointF(x, mid - half), QPointF(x, mid + half));
  }
  QFont font = painter.font();
  font.setPointSize(9);
  painter.setFont(font);
  qreal const labelTop = mid + KeyframeAxis::k_entrySize / 2 + 2;
  painter.drawText(QRectF(start - 20, labelTop, 40, 14), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("0.0"));
  painter.drawText(QRectF(end - 20, labelTop, 40, 14), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("1.0"));

  auto drawEntry = [&](KeyframePosition pos, KeyframeAxisEntry const& entry, bool selected) {
    QRectF const box = toQt(axis.entryRect(pos));
    if (m_owner.m_painter)
      m_owner.m_painter(painter, box, entry);
    else
      paintGradationEntry(painter, box, entry);
    if (selected) {
      painter.setPen(QPen(Qt::red, 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(box.adjusted(-2, -2, 2, 2));
      // A notch under the box, seen even where boxes overlap.
      QPointF const tip(box.center().x(), box.top() - 3);
      painter.setBrush(Qt::red);
      painter.setPen(Qt::NoPen);
      painter.drawPolygon(QPolygonF({tip, tip + QPointF(-4, -6), tip + QPointF(4, -6)}));
      painter.setBrush(Qt::NoBrush);
    }
  };
  for (auto const& [pos, entry] : axis.entries()) drawEntry(pos, entry, pos == axis.selection() && !axis.isDragging());
  if (KeyframeAxisEntry const* dragged = axis.draggedEntry()) drawEntry(axis.dragPosition(), *dragged, true);
}

KeyframeAxisWidget::KeyframeAxisWidget(KeyframeAxis::Ends ends, QWidget* parent)
    : QWidget(parent), m_axis(ends), m_canvas(new Canvas(*this)), m_scrollBar(new QScrollBar(Qt::Horizontal, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_canvas, 1);
  layout->addWidget(m_scrollBar);
  m_canvas->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  m_axis.setChangeListener([this] { modelChanged(); });
  connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
    if (!m_updatingScrollBar) m_axis.scrollTo(static_cast<float>(value));
  });
  modelChanged();
}

KeyframeAxisWidget::~KeyframeAxisWidget() { m_axis.setChangeListener({}); }

void KeyframeAxisWidget::setEntryPainter(EntryPainter painter) {
  m_painter = std::move(painter);
  m_canvas->update();
}

void KeyframeAxisWidget::paintGradationEntry(QPainter& painter, QRectF const& rect, KeyframeAxisEntry const& entry) {
  if (entry.colour) {
    painter.fillRect(rect, QColor::fromRgbF(0.5f, 0.5f, 0.5f));
    painter.fillRect(rect.adjusted(2, 2, -2, -2), toQt(*entry.colour));
    return;
  }
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
  painter.setBrush(Qt::NoBrush);
}

int KeyframeAxisWidget::windowXOf(KeyframePosition pos) const {
  return static_cast<int>(std::lround(m_axis.xOfPosition(pos) - m_axis.scrollOrigin()));
}

int KeyframeAxisWidget::entryCentreY() const { return static_cast<int>(std::lround(m_axis.midY())); }

QSize KeyframeAxisWidget::sizeHint() const { return {420, 72 + m_scrollBar->sizeHint().height()}; }

QSize KeyframeAxisWidget::minimumSizeHint() const { return {120, 56 + m_scrollBar->sizeHint().height()}; }

void KeyframeAxisWidget::modelChanged() {
  m_updatingScrollBar = true;
  int const maximum = static_cast<int>(std::floor(m_axis.maxScrollOrigin()));
  m_scrollBar->setRange(0, maximum);
  m_scrollBar->setPageStep(std::max(1, static_cast<int>(m_axis.viewWidth())));
  m_scrollBar->setSingleStep(static_cast<int>(m_axis.scrollLineStep()));
  m_scrollBar->setValue(static_cast<int>(std::lround(m_axis.scrollOrigin())));
  m_scrollBar->setEnabled(maximum > 0);
  m_updatingScrollBar = false;
  m_canvas->update();
  emit axisChanged();
}

}  // namespace orlenza::app
