#include "ui/model_window.hpp"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>

#include "ui/bar_graph.hpp"
#include "ui/link_lamp.hpp"
#include "ui/qt_text.hpp"
#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {

namespace {

// The href of a link label's text: its click is forwarded, never opened by Qt itself.
constexpr char kLinkTarget[] = "velkor:click";
constexpr char kLinkProperty[] = "velkorLink";

QColor FromPlatformColour(int colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

QString TitleWithoutAccelerators(const QString& text) {
  QString title;
  title.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) {
      title += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
      title += QLatin1Char('&');
      ++i;
    }
  }
  return title;
}

QString WithLineBreaks(std::string_view text) {
  QString result = Q(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

ModelWindow::ModelWindow(ScreenModel& model, std::string_view window_name, IniStore* store,
                         WindowId place, QWidget* parent)
    : QWidget(parent), model_(model), window_name_(window_name), store_(store), place_(place) {
  setWindowFlag(Qt::Window);
  setObjectName(Q(window_name));
}

ModelWindow::~ModelWindow() {
  Unload();
  model_.SetListener({});
}

QWidget* ModelWindow::Control(std::string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

void ModelWindow::SetOnClick(std::string_view control, std::function<void()> on_click) {
  on_click_[std::string(control)] = std::move(on_click);
}

void ModelWindow::SetOnValueChanged(std::string_view control, std::function<void(int)> on_change) {
  on_change_[std::string(control)] = std::move(on_change);
}

QLabel* ModelWindow::AddLink(QLabel* label, std::string_view name) {
  label->setProperty(kLinkProperty, true);
  label->setTextFormat(Qt::RichText);
  label->setOpenExternalLinks(false);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  return Add(label, name);
}

void ModelWindow::Bind() {
  for (const auto& [name, widget] : controls_) {
    const std::string control = name;
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
      // The options show what the ECU said; a click would only make them say something else.
      radio->setAttribute(Qt::WA_TransparentForMouseEvents);
      radio->setFocusPolicy(Qt::NoFocus);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      connect(button, &QAbstractButton::clicked, this, [this, control] { Clicked(control); });
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      if (label->property(kLinkProperty).toBool()) {
        connect(label, &QLabel::linkActivated, this, [this, control] { Clicked(control); });
      } else {
        // Texts come from the ECU too: a "<" in them is a character, never markup.
        label->setTextFormat(Qt::PlainText);
      }
    } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
      connect(bar, &QScrollBar::valueChanged, this,
              [this, control](int value) { ValueChanged(control, value); });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      connect(combo, &QComboBox::activated, this,
              [this, control](int index) { ValueChanged(control, index); });
    }
  }
  model_.SetListener(
      [this](const std::string& name, const ControlState& state) { Mirror(name, state); });
  for (const auto& [name, state] : model_.Controls()) Mirror(name, state);
}

void ModelWindow::Clicked(const std::string& name) {
  const auto it = on_click_.find(name);
  if (it != on_click_.end() && it->second) it->second();
}

void ModelWindow::ValueChanged(const std::string& name, int value) {
  const auto it = on_change_.find(name);
  if (it != on_change_.end() && it->second) it->second(value);
}

void ModelWindow::Mirror(const std::string& name, const ControlState& state) {
  if (name == window_name_) {
    setWindowTitle(TitleWithoutAccelerators(Q(state.text)));
    return;
  }
  QWidget* widget = Control(name);
  if (widget == nullptr) return;
  widget->setToolTip(Q(state.tooltip));
  widget->setEnabled(state.enabled);
  // Hiding needs no shown parent; showing a child of a hidden window only marks it to show.
  widget->setVisible(state.visible);

  if (auto* box = qobject_cast<QGroupBox*>(widget)) {
    box->setTitle(Q(state.text));
  } else if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
    radio->setText(Q(state.text));
    if (state.checked) {
      radio->setChecked(true);  // the others of its frame clear themselves
    } else if (radio->isChecked()) {
      // The checked option of an exclusive set refuses to clear itself.
      radio->setAutoExclusive(false);
      radio->setChecked(false);
      radio->setAutoExclusive(true);
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(Q(state.text));
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->property(kLinkProperty).toBool()) {
      label->setText(
          QStringLiteral("<a href=\"%1\">%2</a>")
              .arg(QLatin1String(kLinkTarget), WithLineBreaks(state.text).toHtmlEscaped()));
    } else {
      label->setText(WithLineBreaks(state.text));
    }
  } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
    const QString text = WithLineBreaks(state.text);
    if (edit->toPlainText() != text) edit->setPlainText(text);
  } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
    const QSignalBlocker quiet(bar);
    bar->setRange(state.minimum, std::max(state.minimum, state.maximum));
    bar->setValue(state.value);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    const QSignalBlocker quiet(combo);
    QStringList items;
    for (const std::string& item : state.items) items.append(Q(item));
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown.append(combo->itemText(i));
    if (shown != items) {
      combo->clear();
      combo->addItems(items);
    }
    combo->setCurrentIndex(state.value < combo->count() ? state.value : -1);
  } else if (auto* lamp = qobject_cast<LinkLamp*>(widget)) {
    lamp->SetColour(state.colour);
  } else if (auto* graph = qobject_cast<BarGraph*>(widget)) {
    graph->SetMini(state.minimum);
    graph->SetMaxi(state.maximum);
    graph->SetValue(state.value);
    graph->SetCaption(Q(state.text));
    if (state.colour >= 0) graph->SetFillColor(FromPlatformColour(state.colour));
  }
}

void ModelWindow::Load() {
  if (loaded_) return;
  loaded_ = true;
  if (design_twips_) {
    // The design size is the frame's; the title bar is not drawn yet, so it is assumed.
    QSize inside = TwipsToPixels(*design_twips_, *this);
    inside.setHeight(inside.height() - TitleBarHeight(*this));
    resize(inside.expandedTo(minimumSizeHint()));
  } else {
    resize(sizeHint());
  }
  if (store_ == nullptr) return;
  const WindowPosition position = ReadWindowPosition(*store_, place_);
  loaded_twips_ = QPoint(position.left, position.top);
  loaded_pixels_ = TwipsToPixels(loaded_twips_, *this);
  PlaceFrame(*this, loaded_pixels_);
  placed_from_store_ = true;
}

void ModelWindow::Show() {
  Load();
  show();
  raise();
  activateWindow();
}

void ModelWindow::Unload() {
  if (!loaded_) return;
  // A failed write leaves the old place in the file; closing goes on regardless.
  SavePosition();
  loaded_ = false;
  hide();
}

WindowPosition ModelWindow::PositionInTwips() const {
  const QPoint twips =
      placed_from_store_ && pos() == loaded_pixels_ ? loaded_twips_ : PixelsToTwips(pos(), *this);
  return {.top = twips.y(),
          .left = twips.x(),
          .height = PixelsToTwips(QSize(0, frameGeometry().height()), *this).height()};
}

bool ModelWindow::SavePosition() {
  if (store_ == nullptr) return false;
  return WriteWindowPositions(*store_, {{place_, PositionInTwips()}});
}

void ModelWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  KeepTitleBarOnScreen(*this);
}

void ModelWindow::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
  if (on_close_) on_close_();
}

}  // namespace velkor
