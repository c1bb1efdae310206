#include "gui/platform/font_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

const std::array<FontDialog::NamedColor, 16> FontDialog::kBasicColors = {{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};

// Index = (bold ? 2 : 0) + (italic ? 1 : 0).
const std::array<const char*, 4> FontDialog::kStyleNames = {"Regular", "Italic", "Bold",
                                                            "Bold Italic"};

namespace {

constexpr std::array<int, 16> kListedSizes = {8,  9,  10, 11, 12, 14, 16, 18,
                                              20, 22, 24, 26, 28, 36, 48, 72};
// The sample shows huge or zero sizes at a size that fits the box; the font keeps its size.
constexpr int kSampleMaxSize = 48;

QIcon Swatch(Color color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(ToQColor(color));
  return QIcon(pixmap);
}

}  // namespace

FontDialog::FontDialog(QWidget* parent)
    : QDialog(parent),
      face_edit_(new QLineEdit(this)),
      face_list_(new QListWidget(this)),
      style_list_(new QListWidget(this)),
      size_edit_(new QLineEdit(this)),
      size_list_(new QListWidget(this)),
      effects_(new QGroupBox(QStringLiteral("Effects"), this)),
      strike_out_(new QCheckBox(QStringLiteral("Stri&keout"), effects_)),
      underline_(new QCheckBox(QStringLiteral("&Underline"), effects_)),
      color_combo_(new QComboBox(effects_)),
      sample_(new QLabel(QStringLiteral("AaBbYyZz"), this)),
      ok_button_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_button_(new QPushButton(QStringLiteral("Cancel"), this)),
      apply_button_(new QPushButton(QStringLiteral("&Apply"), this)) {
  setObjectName(QStringLiteral("FontDialog"));
  setWindowTitle(QStringLiteral("Font"));

  // Each control's name and what a screen reader calls it, in one place. The captioned
  // controls are announced by their captions or their labels.
  const struct {
    QWidget* widget;
    const char* name;
    const char* accessible_name;
  } controls[] = {
      {face_edit_, "FaceFilterEdit", "Font"},      {face_list_, "FaceList", "Fonts"},
      {style_list_, "StyleList", "Font styles"},   {size_edit_, "SizeEdit", "Size"},
      {size_list_, "SizeList", "Sizes"},           {effects_, "EffectsGroup", nullptr},
      {strike_out_, "StrikeoutCheckBox", nullptr}, {underline_, "UnderlineCheckBox", nullptr},
      {color_combo_, "ColorComboBox", "Colour"},   {sample_, "SampleLabel", "Sample"},
      {ok_button_, "OkButton", nullptr},           {cancel_button_, "CancelButton", nullptr},
      {apply_button_, "ApplyButton", nullptr},
  };
  for (const auto& control : controls) {
    control.widget->setObjectName(QString::fromLatin1(control.name));
    if (control.accessible_name != nullptr) {
      control.widget->setAccessibleName(QString::fromLatin1(control.accessible_name));
    }
  }
  face_edit_->setPlaceholderText(QStringLiteral("Filter"));
  face_edit_->setClearButtonEnabled(true);

  BuildFaceList();
  for (const char* style : kStyleNames) {
    style_list_->addItem(QString::fromLatin1(style));
  }
  for (const int size : kListedSizes) {
    size_list_->addItem(QString::number(size));
  }
  size_edit_->setValidator(new QIntValidator(0, 99999, size_edit_));
  for (const NamedColor& named : kBasicColors) {
    color_combo_->addItem(Swatch(named.color), QString::fromLatin1(named.name),
                          QVariant::fromValue(named.color));
  }

  auto* face_label = new QLabel(QStringLiteral("&Font:"), this);
  face_label->setBuddy(face_edit_);
  auto* style_label = new QLabel(QStringLiteral("Font st&yle:"), this);
  style_label->setBuddy(style_list_);
  auto* size_label = new QLabel(QStringLiteral("&Size:"), this);
  size_label->setBuddy(size_edit_);
  auto* color_label = new QLabel(QStringLiteral("&Color:"), effects_);
  color_label->setBuddy(color_combo_);

  auto* effects_layout = new QVBoxLayout(effects_);
  effects_layout->addWidget(strike_out_);
  effects_layout->addWidget(underline_);
  effects_layout->addWidget(color_label);
  effects_layout->addWidget(color_combo_);
  effects_layout->addStretch();

  auto* sample_box = new QGroupBox(QStringLiteral("Sample"), this);
  auto* sample_layout = new QVBoxLayout(sample_box);
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumSize(180, 60);
  sample_layout->addWidget(sample_);

  auto* grid = new QGridLayout;
  grid->addWidget(face_label, 0, 0);
  grid->addWidget(style_label, 0, 1);
  grid->addWidget(size_label, 0, 2);
  grid->addWidget(face_edit_, 1, 0);
  grid->addWidget(size_edit_, 1, 2);
  grid->addWidget(face_list_, 2, 0);
  grid->addWidget(style_list_, 1, 1, 2, 1);
  grid->addWidget(size_list_, 2, 2);
  grid->addWidget(effects_, 3, 0);
  grid->addWidget(sample_box, 3, 1, 1, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(2, 1);

  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok_button_);
  buttons->addWidget(cancel_button_);
  buttons->addWidget(apply_button_);
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(buttons);

  ok_button_->setDefault(true);
  apply_button_->setEnabled(false);

  connect(face_edit_, &QLineEdit::textChanged, this, &FontDialog::FilterFaces);
  connect(face_list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item != nullptr) {
      face_ = ToCoreText(item->text());
      UpdateSample();
    }
  });
  connect(style_list_, &QListWidget::currentRowChanged, this, &FontDialog::UpdateSample);
  connect(size_list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item != nullptr) {
      size_ = item->text().toInt();
      const QSignalBlocker block(size_edit_);
      size_edit_->setText(item->text());
      UpdateSample();
    }
  });
  connect(size_edit_, &QLineEdit::textEdited, this, &FontDialog::OnSizeEdited);
  connect(size_edit_, &QLineEdit::editingFinished, this,
          [this] { size_edit_->setText(QString::number(size_)); });
  connect(strike_out_, &QCheckBox::toggled, this, &FontDialog::UpdateSample);
  connect(underline_, &QCheckBox::toggled, this, &FontDialog::UpdateSample);
  connect(color_combo_, &QComboBox::currentIndexChanged, this, &FontDialog::UpdateSample);
  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
  connect(apply_button_, &QPushButton::clicked, this, &FontDialog::Apply);

  SetFontSpec(FontSpec{});
}

void FontDialog::BuildFaceList() {
  QStringList families = QFontDatabase::families();
  families.removeDuplicates();
  face_list_->addItems(families);
}

void FontDialog::FilterFaces(const QString& text) {
  const QString wanted = text.trimmed();
  QListWidgetItem* exact = nullptr;
  for (int row = 0; row < face_list_->count(); ++row) {
    QListWidgetItem* item = face_list_->item(row);
    item->setHidden(!wanted.isEmpty() && !item->text().contains(wanted, Qt::CaseInsensitive));
    if (exact == nullptr && item->text().compare(wanted, Qt::CaseInsensitive) == 0) {
      exact = item;
    }
  }
  if (exact != nullptr) {
    face_list_->setCurrentItem(exact);
  }
  if (QListWidgetItem* current = face_list_->currentItem(); current != nullptr) {
    face_list_->scrollToItem(current);
  }
}

void FontDialog::SelectFace(const QString& face) {
  QListWidgetItem* found = nullptr;
  const auto matches = face_list_->findItems(face, Qt::MatchFixedString);  // case-insensitive
  for (QListWidgetItem* item : matches) {
    if (item->text() == face) {
      found = item;
      break;
    }
  }
  if (found == nullptr && !matches.isEmpty()) {
    found = matches.first();
  }
  if (found == nullptr) {
    // A face this system lacks still belongs to the font: keep it choosable.
    found = new QListWidgetItem(face);
    face_list_->insertItem(0, found);
  }
  const QSignalBlocker block(face_list_);
  face_list_->setCurrentItem(found);
  face_list_->scrollToItem(found);
}

void FontDialog::SelectStyle(bool bold, bool italic) {
  const QSignalBlocker block(style_list_);
  style_list_->setCurrentRow((bold ? 2 : 0) + (italic ? 1 : 0));
}

void FontDialog::SelectSize(int size) {
  size_ = size;
  const QSignalBlocker block_edit(size_edit_);
  const QSignalBlocker block_list(size_list_);
  size_edit_->setText(QString::number(size));
  const auto matches = size_list_->findItems(QString::number(size), Qt::MatchExactly);
  if (matches.isEmpty()) {
    size_list_->setCurrentItem(nullptr);
    size_list_->clearSelection();
  } else {
    size_list_->setCurrentItem(matches.first());
    size_list_->scrollToItem(matches.first());
  }
}

void FontDialog::SelectColor(Color color) {
  const QSignalBlocker block(color_combo_);
  // Drop a custom entry left from an earlier font.
  while (color_combo_->count() > static_cast<int>(kBasicColors.size())) {
    color_combo_->removeItem(color_combo_->count() - 1);
  }
  int index = color_combo_->findData(QVariant::fromValue(color));
  if (index < 0) {
    color_combo_->addItem(Swatch(color), QStringLiteral("Custom"), QVariant::fromValue(color));
    index = color_combo_->count() - 1;
  }
  color_combo_->setCurrentIndex(index);
}

void FontDialog::OnSizeEdited(const QString& text) {
  bool ok = false;
  const int size = text.toInt(&ok);
  if (!ok) {
    return;  // empty while typing: the last size stands
  }
  size_ = size;
  const QSignalBlocker block(size_list_);
  const auto matches = size_list_->findItems(QString::number(size), Qt::MatchExactly);
  if (matches.isEmpty()) {
    size_list_->setCurrentItem(nullptr);
    size_list_->clearSelection();
  } else {
    size_list_->setCurrentItem(matches.first());
  }
  UpdateSample();
}

void FontDialog::SetFontSpec(const FontSpec& font) {
  {
    const QSignalBlocker block(face_edit_);
    face_edit_->clear();
  }
  FilterFaces(QString());
  SelectFace(FromCoreText(font.name));
  face_ = font.name;
  SelectStyle(font.bold, font.italic);
  SelectSize(font.size);
  {
    const QSignalBlocker block_strike(strike_out_);
    const QSignalBlocker block_under(underline_);
    strike_out_->setChecked(font.strike_out);
    underline_->setChecked(font.underline);
  }
  SelectColor(font.color);
  UpdateSample();
}

FontSpec FontDialog::CurrentFontSpec() const {
  FontSpec font;
  font.name = face_;
  font.size = size_;
  const int style = std::max(0, style_list_->currentRow());
  font.bold = style >= 2;
  font.italic = style % 2 == 1;
  font.underline = underline_->isChecked();
  font.strike_out = strike_out_->isChecked();
  font.color = color_combo_->currentData().value<Color>();
  return font;
}

void FontDialog::SetOnApply(std::function<void(const FontSpec&)> on_apply) {
  on_apply_ = std::move(on_apply);
  apply_button_->setEnabled(static_cast<bool>(on_apply_));
}

void FontDialog::UpdateSample() {
  FontSpec font = CurrentFontSpec();
  font.size = std::clamp(font.size, 1, kSampleMaxSize);
  sample_->setFont(ToQFont(font));
  QPalette palette = sample_->palette();
  palette.setColor(QPalette::WindowText, ToQColor(font.color));
  sample_->setPalette(palette);
}

void FontDialog::Apply() {
  if (on_apply_) {
    // A copy: the callback may replace the dialog's callback.
    auto on_apply = on_apply_;
    on_apply(CurrentFontSpec());
  }
}

}  // namespace orvaltic::gui
