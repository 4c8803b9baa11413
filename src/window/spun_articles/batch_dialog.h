#pragma once

// The dialog of "Save spun articles…": how many articles (up to the number
// the spin text gives, less the three the user wrote), or, with its box
// ticked, as many as can be found of which no two share more than a given
// percent of their runs of four words; whether the three articles the user
// wrote may be among them; and the folder, typed or chosen. The file names
// it will write are shown. The count is kept for the next batch.

#include <QDialog>

#include <cstdint>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kestrelwick {

struct BatchOffer {
    std::uint64_t articles = 0;    // the different articles the spin text gives
    std::uint64_t notWritten = 0;  // of those, the ones that are not one the user wrote
    QString folder;                // the folder offered
    QString note;                  // said above the choices where not empty
};

class BatchDialog : public QDialog {
    Q_OBJECT

  public:
    BatchDialog(QWidget* parent, const BatchOffer& offer);

    std::uint64_t count() const;
    std::optional<int> maxShare() const;
    bool withWritten() const;
    // The folder, "~" read as the home folder: a whole path once accepted.
    QString folder() const;

    QSpinBox* countBox() const { return count_; }
    QCheckBox* limitBox() const { return limited_; }
    QSpinBox* shareBox() const { return share_; }
    QCheckBox* writtenBox() const { return written_; }
    QLineEdit* folderBox() const { return folder_; }

    // Accepts only a folder given as a whole path, and keeps the count.
    void done(int result) override;

  private:
    void showRange();
    void showNames();

    BatchOffer offer_;
    QSpinBox* count_ = nullptr;
    QCheckBox* limited_ = nullptr;
    QSpinBox* share_ = nullptr;
    QCheckBox* written_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QLabel* names_ = nullptr;
};

}  // namespace kestrelwick
