#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <string>

#include "core/platform/font.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orvaltic::gui {

// The font dialog of the display: face, style, size, the effects strike-out, underline and
// colour, a sample, and an Apply button that hands the font to the caller without closing.
// Sizes are not limited. A face the system lacks is kept as it is.
class FontDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FontDialog(QWidget* parent = nullptr);

  void SetFontSpec(const FontSpec& font);
  FontSpec CurrentFontSpec() const;
  // Called by Apply with the font as the dialog shows it.
  void SetOnApply(std::function<void(const FontSpec&)> on_apply);

  struct NamedColor {
    const char* name;
    Color color;
  };
  static const std::array<NamedColor, 16> kBasicColors;
  static const std::array<const char*, 4> kStyleNames;

 private:
  void BuildFaceList();
  void FilterFaces(const QString& text);
  void SelectFace(const QString& face);
  void SelectStyle(bool bold, bool italic);
  void SelectSize(int size);
  void SelectColor(Color color);
  void OnSizeEdited(const QString& text);
  void UpdateSample();
  void Apply();

  QLineEdit* face_edit_;
  QListWidget* face_list_;
  QListWidget* style_list_;
  QLineEdit* size_edit_;
  QListWidget* size_list_;
  QGroupBox* effects_;
  QCheckBox* strike_out_;
  QCheckBox* underline_;
  QComboBox* color_combo_;
  QLabel* sample_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
  QPushButton* apply_button_;

  // The face as the core spelled it, kept byte for byte while the user does not pick another.
  std::string face_;
  int size_ = 0;
  std::function<void(const FontSpec&)> on_apply_;
};

}  // namespace orvaltic::gui
