#include "window/form1.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <new>
#include <optional>

#include "window/article_files.h"
#include "window/box_hints.h"
#include "window/check_run.h"
#include "window/link_opener.h"
#include "window/links.h"
#include "window/low_memory.h"
#include "window/messages.h"
#include "window/paragraph_refusals.h"
#include "window/saved_state/saved_state.h"
#include "window/screen_fit.h"
#include "window/spin_by_choice.h"
#include "window/spin_format_choice.h"
#include "window/widgets/widgets.h"
#include "window/window_actions.h"

namespace kestrelwick {

namespace {

// Client area and control rectangles in device-independent pixels: the
// window's design measures in twips divided by 15, so the layout keeps its
// proportions on any screen and Qt scales it on high-DPI ones.
constexpr QSize kClientSize(910, 820);
// The smallest canvas that the layout shrinks to; below it, the window
// scrolls.
constexpr QSize kSmallestCanvas(704, 526);

// Half of a difference, rounded down also when it is negative.
int halfDown(int difference) {
    return difference >= 0 ? difference / 2 : -((1 - difference) / 2);
}

// How a control follows a canvas of another size: it moves by so many
// halves of the extra width and height, and grows by so many.
struct Follow {
    int right, down, wider, taller;
};
QRect following(const QRect& design, Follow follow, int h, int v) {
    return {design.x() + follow.right * h, design.y() + follow.down * v,
            design.width() + follow.wider * h, design.height() + follow.taller * v};
}

const std::array<QString, kBoxCount> kBoxNames = {
    QStringLiteral("Article 1"), QStringLiteral("Article 2"), QStringLiteral("Article 3"),
    QStringLiteral("Spin text output")};

// The busy pointer while it lives.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

const Form1::Layout Form1::kDesignLayout = {
    {QRect(16, 48, 417, 297), QRect(456, 48, 417, 297), QRect(16, 368, 417, 297),
     QRect(456, 368, 417, 297)},
    {QRect(16, 344, 209, 25), QRect(456, 344, 209, 25), QRect(16, 664, 209, 25),
     QRect(456, 664, 209, 25)},
    QRect(16, 688, 417, 113),
    QRect(472, 704, 201, 73),
    QRect(784, 736, 97, 41),
    // In the free room right of the minimum's label, under the output box,
    // the spin format and below it what a group holds.
    QRect(713, 667, 160, 22),
    QRect(713, 692, 160, 22),
    {QRect(24, 16, 137, 25), QRect(208, 16, 177, 25), QRect(432, 16, 137, 25)},
};

Form1::Layout Form1::layoutFor(QSize canvas) {
    // At the design size every control has its design rectangle. Any other
    // size is shared out between the four large boxes: each column takes half
    // of the extra width and each row half of the extra height, and what lies
    // right of or below a box moves with it. The links stay where they are.
    const int h = halfDown(canvas.width() - kClientSize.width());
    const int v = halfDown(canvas.height() - kClientSize.height());
    const Layout& design = kDesignLayout;
    Layout layout = design;
    for (std::size_t k = 0; k < kBoxCount; ++k) {
        const int column = int(k % 2);
        const int row = int(k / 2);
        layout.largeBoxes[k] = following(design.largeBoxes[k], {column, row, 1, 1}, h, v);
        // Each label stands under its box.
        layout.countLabels[k] = following(design.countLabels[k], {column, row + 1, 0, 0}, h, v);
    }
    layout.gridBox = following(design.gridBox, {0, 2, 1, 0}, h, v);
    layout.checkButton = following(design.checkButton, {1, 2, 0, 0}, h, v);
    layout.clearButton = following(design.clearButton, {2, 2, 0, 0}, h, v);
    layout.formatChoice = following(design.formatChoice, {2, 2, 0, 0}, h, v);
    layout.byChoice = following(design.byChoice, {2, 2, 0, 0}, h, v);
    // In a window narrower than about 830 the choices, which move twice as
    // fast as Check Articles, would run into it and into the minimum's
    // label: they go under the buttons instead, side by side from Check
    // Articles' left edge.
    if (layout.byChoice.left() <= layout.checkButton.right()) {
        constexpr int kGap = 6;
        const int top = layout.checkButton.bottom() + 1 + kGap;
        layout.formatChoice.moveTopLeft({layout.checkButton.left(), top});
        layout.byChoice.moveTopLeft({layout.formatChoice.right() + 1 + kGap, top});
    }
    return layout;
}

Form1::Form1(QWidget* parent) : QWidget(parent), savedWork_{SavedState::defaultPath(), true} {
    setWindowTitle(QStringLiteral("Check minimum article length, convert to AMA format"));
    setWindowIcon(applicationIcon());

    // The controls sit on a canvas of the design size inside a scroll area
    // that fills the window: scroll bars appear only when the window is
    // smaller than the canvas.
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidgetResizable(true);
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("Canvas"));
    canvas_->setMinimumSize(kSmallestCanvas);
    canvas_->installEventFilter(this);
    scrollArea_->setWidget(canvas_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);

    createControls();
    resize(kClientSize);
    canvas_->resize(kClientSize);
    placeControls();
    LinkLabel::fitCaptions({links_.begin(), links_.end()});
    wireEvents();
    screenFit_ = new ScreenFit(this, kClientSize);
}

Form1::~Form1() = default;

void Form1::createControls() {
    // Labels first: where a label and a box overlap, the box is drawn on top.
    for (std::size_t k = 0; k < controls_.countLabels.size(); ++k) {
        QLabel* label = new QLabel(canvas_);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setObjectName(QStringLiteral("countLabel%1").arg(k));
        controls_.countLabels[k] = label;
    }
    links_ = {new LinkLabel(QStringLiteral("Magic Article Submitter"),
                            QStringLiteral("Go to Magic Article Submitter website"), canvas_),
              new LinkLabel(QStringLiteral("Article Marketing Automation"),
                            QStringLiteral("Go to Article Marketing Automation website"), canvas_),
              new LinkLabel(QStringLiteral("Unique Article Wizard"),
                            QStringLiteral("Go to Unique Article Wizard website"), canvas_)};

    for (std::size_t k = 0; k < kBoxCount; ++k) {
        auto* box = new TextBox(canvas_);
        box->setAccessibleName(kBoxNames[k]);
        box->setPlaceholderText(boxPlaceholder(k));
        box->setToolTip(boxToolTip(k));
        if (k < kArticleCount) {
            box->setObjectName(QStringLiteral("articleBox%1").arg(k));
            box->showParagraphNumbers();
            // Files dropped on an article box fill it and the article boxes
            // after it.
            box->setFileRoom(int(kArticleCount - k));
            controls_.articleBoxes[k] = box;
        } else {
            box->setObjectName(QStringLiteral("outputBox"));
            controls_.outputBox = box;
        }
    }
    formatChoice_ = new SpinFormatChoice(controls_.outputBox, canvas_);
    formatChoice_->setObjectName(QStringLiteral("formatChoice"));
    byChoice_ = new SpinByChoice(controls_, formatChoice_, canvas_);
    byChoice_->setObjectName(QStringLiteral("byChoice"));
    auto* grid = new TextBox(canvas_);
    grid->setObjectName(QStringLiteral("gridBox"));
    grid->setRowNumbers({});  // numbered with the paragraphs its lines count
    grid->setAccessibleName(QStringLiteral("Word counts per paragraph"));
    grid->setPlaceholderText(QStringLiteral("Word counts per paragraph"));
    controls_.gridBox = grid;

    checkButton_ =
        new WrappingPushButton(QStringLiteral("Check Articles && Generate AMA format"), canvas_);
    clearButton_ = new PushButton(QStringLiteral("Clear form"), canvas_);
    for (QPushButton* button : {checkButton_, clearButton_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
    }

    // Tab order: the article boxes, the output box, its spin format and what
    // a group holds, Check Articles, the grid, Clear form.
    QWidget* previous = nullptr;
    for (QWidget* next :
         {static_cast<QWidget*>(controls_.articleBoxes[0]),
          static_cast<QWidget*>(controls_.articleBoxes[1]),
          static_cast<QWidget*>(controls_.articleBoxes[2]),
          static_cast<QWidget*>(controls_.outputBox), static_cast<QWidget*>(formatChoice_),
          static_cast<QWidget*>(byChoice_), static_cast<QWidget*>(checkButton_),
          static_cast<QWidget*>(grid), static_cast<QWidget*>(clearButton_)}) {
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }
    controls_.articleBoxes[0]->setFocus();
}

void Form1::placeControls() {
    const Layout layout = layoutFor(canvas_->size());
    const auto boxes = controls_.largeBoxes();
    for (std::size_t k = 0; k < kBoxCount; ++k) {
        boxes[k]->setGeometry(layout.largeBoxes[k]);
        controls_.countLabels[k]->setGeometry(layout.countLabels[k]);
    }
    controls_.gridBox->setGeometry(layout.gridBox);
    checkButton_->setGeometry(layout.checkButton);
    clearButton_->setGeometry(layout.clearButton);
    formatChoice_->setGeometry(layout.formatChoice);
    byChoice_->setGeometry(layout.byChoice);
    for (std::size_t k = 0; k < kLinkCount; ++k) {
        links_[k]->setGeometry(layout.links[k]);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Resize) {
        placeControls();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::wireEvents() {
    const auto boxes = controls_.largeBoxes();
    for (std::size_t k = 0; k < kBoxCount; ++k) {
        const int index = k < kArticleCount ? int(k) : -1;
        connect(boxes[k], &TextBox::filesDropped, this, [this, index](const QStringList& paths) {
            dropArticleFiles(this, controls_, index, paths);
        });
        // A box the user leaves loses the spaces at its ends.
        connect(boxes[k], &TextBox::left, boxes[k], &TextBox::trimSpaces);
    }
    for (TextBox* box : {boxes[0], boxes[1], boxes[2], boxes[3], controls_.gridBox}) {
        connect(box, &TextBox::paragraphRefused, this, [this, box](const LongParagraph& found) {
            warnParagraphRefused(this, boxName(controls_, box), found);
        });
    }
    connect(controls_.gridBox, &TextBox::filesDropped, this,
            [this](const QStringList& paths) { dropArticleFiles(this, controls_, -1, paths); });
    connect(checkButton_, &QPushButton::clicked, this, &Form1::checkArticles);
    connect(clearButton_, &QPushButton::clicked, this, &Form1::clearForm);
    addWindowActions(this, controls_, formatChoice_, [this] { return savedWork_; });
    const std::array<const char*, kLinkCount> addresses = {kMagicArticleSubmitterAddress,
                                                           kArticleMarketingAutomationAddress,
                                                           kUniqueArticleWizardAddress};
    for (std::size_t k = 0; k < kLinkCount; ++k) {
        connect(links_[k], &LinkLabel::clicked, this,
                [this, address = addresses[k]] { followLink(this, QString::fromLatin1(address)); });
    }
}

QIcon Form1::applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 256}) {
        icon.addFile(QStringLiteral(":/kestrelwick/%1/kestrelwick.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

void Form1::setUpApplication() {
    // Only the name: a display name would be appended to the window titles.
    QApplication::setApplicationName(QStringLiteral("prjKestrelwick"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRELWICK_VERSION_TEXT));
    QApplication::setWindowIcon(applicationIcon());
    QApplication::setDesktopFileName(QStringLiteral("kestrelwick"));
    // Every control, message box and dialog in the window's font.
    QApplication::setFont(designFont());
}

void Form1::fitToScreen() {
    screenFit_->fit();
}

void Form1::setSavedWork(SavedWorkPlace place) {
    savedWork_ = std::move(place);
}

void Form1::openArticleFiles(const QStringList& paths) {
    kestrelwick::openArticleFiles(this, controls_, paths);
}

void Form1::checkArticles() {
    std::optional<CheckRun> run;
    {
        const BusyCursor busy;
        clearMarks();
        // The last check's texts go before this one reads the boxes.
        byChoice_->forgetCheck();
        try {
            run.emplace(controls_, formatChoice_->format(), byChoice_->by());
            run->showCounts();
        } catch (const std::bad_alloc&) {
            // The check's own memory is given back by now, and what was shown
            // is taken back: the boxes keep what they held.
            run.reset();
        }
    }
    if (!run) {
        warnShortOfMemory(this, QStringLiteral("There is not enough memory to check these "
                                               "articles. The boxes are as they were."));
        return;
    }
    try {
        // The report waits for the user, without the busy pointer.
        run->showReport(this);
        if (const std::optional<LongParagraph> found = run->longSpinTextParagraph()) {
            warn(this, spinTextRefusal(*found));
            return;
        }
        const BusyCursor busy;
        formatChoice_->checkWritten(run->showSpinText());
        byChoice_->checkWritten(run->takeTexts());
    } catch (const std::bad_alloc&) {
        run.reset();
        warnShortOfMemory(this, QStringLiteral("The articles were tidied and counted, and the "
                                               "counts are shown, but there is not enough memory "
                                               "to write the spin text: the output box is as it "
                                               "was."));
    }
}

void Form1::clearForm() {
    if (!confirm(this, QStringLiteral("Just checking"),
                 QStringLiteral("Are you sure you want to clear all the boxes?"))) {
        return;
    }
    // Emptying boxes of many megabytes takes a moment, as a check does.
    const BusyCursor busy;
    // Each box is emptied as one edit that Ctrl+Z in it takes back.
    for (TextBox* box : controls_.largeBoxes()) {
        box->replaceText({});
    }
    controls_.gridBox->replaceText({});
    controls_.gridBox->setRowNumbers({});
    for (QLabel* label : controls_.countLabels) {
        label->clear();
    }
    clearMarks();
    byChoice_->forgetCheck();
}

void Form1::clearMarks() {
    for (TextBox* box : controls_.articleBoxes) {
        box->clearMarks();
    }
}

}  // namespace kestrelwick
