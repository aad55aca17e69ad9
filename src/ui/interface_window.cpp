#include "ui/interface_window.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/qt_text.hpp"
#include "ui/twips.hpp"
#include "ui/window_placement.hpp"

namespace velkor {

namespace {

namespace c = frmInterface;

// Wide enough for "/dev/ttyUSB0 (FT232R USB UART)" and a 63-character cable description.
constexpr int kListMinimumWidth = 320;

}  // namespace

InterfaceDialog::InterfaceDialog(IniStore& ini, InterfaceDevices& devices, Dialogs& dialogs,
                                 LinkState& link, TraceLog& trace, const Language* language,
                                 QWidget* parent)
    : QDialog(parent), logic_(model_, ini, devices, dialogs, link, trace, language) {
  setObjectName(Q(c::kWindow));
  Build();
  model_.SetListener(
      [this](const std::string& name, const ControlState& state) { Mirror(name, state); });
  logic_.Load();
}

InterfaceDialog::~InterfaceDialog() { model_.SetListener({}); }

template <typename W>
W* InterfaceDialog::Add(W* widget, std::string_view name) {
  widget->setObjectName(Q(name));
  controls_.emplace(std::string(name), widget);
  return widget;
}

void InterfaceDialog::Build() {
  auto* layout = new QVBoxLayout(this);

  auto* types = Add(new QGroupBox(this), c::Frame1);
  auto* types_layout = new QHBoxLayout(types);
  const std::string_view options[] = {c::opType0, c::opType1, c::opType2, c::opType3};
  for (int kind = 0; kind < 4; ++kind) {
    auto* option = Add(new QRadioButton(types), options[kind]);
    types_layout->addWidget(option);
    connect(option, &QRadioButton::clicked, this, [this, kind] { logic_.ClickType(kind); });
  }
  layout->addWidget(types);

  auto* usb = Add(new QComboBox(this), c::cbUSB);
  usb->setMinimumWidth(kListMinimumWidth);
  usb->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(usb, &QComboBox::activated, this, [this](int index) { logic_.PickUsb(index); });
  layout->addWidget(usb);

  auto* port = Add(new QComboBox(this), c::cbport);
  port->setMinimumWidth(kListMinimumWidth);
  port->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  connect(port, &QComboBox::activated, this, [this](int index) { logic_.PickPort(index); });
  layout->addWidget(port);

  auto* help = Add(new QGroupBox(this), c::FrBT);
  auto* help_layout = new QVBoxLayout(help);
  for (std::string_view label : {c::Label1, c::Label2, c::Label3}) {
    auto* step = Add(new QLabel(help), label);
    step->setWordWrap(true);
    help_layout->addWidget(step);
  }
  layout->addWidget(help);

  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  auto* news = Add(new QPushButton(this), c::cdNew);
  news->setAutoDefault(false);
  connect(news, &QPushButton::clicked, this,
          [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWhatsNewUrl))); });
  buttons->addWidget(news);
  buttons->addStretch(1);
  auto* ok = Add(new QPushButton(this), c::cdOK);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    if (logic_.Ok()) accept();
  });
  buttons->addWidget(ok);
  layout->addLayout(buttons);
}

void InterfaceDialog::Mirror(const std::string& name, const ControlState& state) {
  if (name == c::kWindow) {
    setWindowTitle(Q(state.text));
    return;
  }
  if (name == c::Top || name == c::Left) return Place();
  if (name == c::Width || name == c::Height) return Enlarge();
  if (name == c::MousePointer) return busy_pointer_.Set(state.value == c::kBusyPointer);

  const auto found = controls_.find(name);
  if (found == controls_.end()) return;
  QWidget* widget = found->second;
  if (auto* box = qobject_cast<QComboBox*>(widget)) {
    const QSignalBlocker blocker(box);
    QStringList items;
    for (const std::string& item : state.items) items << Q(item);
    bool same = box->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i) same = box->itemText(i) == items[i];
    if (!same) {
      box->clear();
      box->addItems(items);
    }
    box->setCurrentIndex(state.value < box->count() ? state.value : -1);
    // With nothing selected the list shows its text ("Mode Demo" when no cable is listed).
    box->setPlaceholderText(state.value < 0 ? Q(state.text) : QString());
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(Q(state.text));
    if (button->isCheckable()) button->setChecked(state.checked);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(Q(state.text));
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(Q(state.text));
  }
  widget->setEnabled(state.enabled);
  if (widget->isVisibleTo(this) != state.visible) {
    widget->setVisible(state.visible);
    // The window follows the lists and the help as they come and go.
    adjustSize();
    Enlarge();
  }
}

void InterfaceDialog::Place() {
  PlaceFrame(*this, TwipsToPixels(QPoint(model_.Value(c::Left), model_.Value(c::Top)), *this));
}

void InterfaceDialog::Enlarge() {
  const int width = model_.Value(c::Width);
  const int height = model_.Value(c::Height);
  if (width <= 0 || height <= 0) return;
  const QSize wanted = TwipsToPixels(QSize(width, height), *this);
  resize(std::max(wanted.width(), this->width()), std::max(wanted.height(), this->height()));
}

void InterfaceDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A position stored on a screen that is gone would open the window out of reach.
  KeepTitleBarOnScreen(*this);
}

void InterfaceDialog::done(int result) {
  if (!unloaded_) {
    unloaded_ = true;
    const QPoint twips = PixelsToTwips(pos(), *this);
    logic_.Unload(twips.y(), twips.x());
  }
  QDialog::done(result);
}

InterfaceChoice InterfaceDialog::TakeChoice() {
  InterfaceChoice choice;
  choice.kind = logic_.kind();
  choice.kline = logic_.TakeKLinePort();
  choice.elm = logic_.TakeElmPort();
  choice.device = logic_.device();
  choice.panel4 = logic_.panel4();
  choice.port_number = logic_.port_number();
  choice.hide_donation = logic_.hide_donation();
  return choice;
}

}  // namespace velkor
