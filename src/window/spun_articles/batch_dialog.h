#pragma once

// The dialog of "Save spun articles…": how many articles (up to the number
// the spin text gives), or, with the box ticked, as many as can be found of
// which no two share more than a given percent of their runs of four words;
// and the folder, typed or chosen. The file names it will write are shown.

#include <QDialog>

#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kestrelwick {

class BatchDialog : public QDialog {
    Q_OBJECT

  public:
    // articles: how many different articles the spin text gives.
    BatchDialog(QWidget* parent, std::uint64_t articles, const QString& folder);

    std::uint64_t count() const;
    std::optional<int> maxShare() const;
    QString folder() const;

    QSpinBox* countBox() const { return count_; }
    QCheckBox* limitBox() const { return limited_; }
    QSpinBox* shareBox() const { return share_; }
    QLineEdit* folderBox() const { return folder_; }

  private:
    void showNames();

    QSpinBox* count_ = nullptr;
    QCheckBox* limited_ = nullptr;
    QSpinBox* share_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QLabel* names_ = nullptr;
};

}  // namespace kestrelwick
