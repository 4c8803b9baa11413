#include "window/form1.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>
#include <vector>

#ifdef Q_OS_WIN
#include "window/shell_open.h"
#endif

#include "files/article_file.h"
#include "processing/check_articles.h"
#include "window/controls.h"
#include "window/form1_boxes.h"
#include "window/links.h"
#include "window/paragraph_marks.h"
#include "window/report_box.h"
#include "window/text_box.h"

namespace {

// Client area and control rectangles in device-independent pixels: the
// window's design measures in twips divided by 15, so the layout keeps its
// proportions on any screen and Qt scales it on high-DPI ones.
constexpr QSize kClientSize(910, 820);
// The smallest canvas that the layout shrinks to; below it, the window
// scrolls.
constexpr QSize kSmallestCanvas(704, 526);

// A title bar and thin borders, as most desktops draw them, for fitting the
// window before the window system has said what its frame really is.
constexpr QMargins kAssumedFrame(8, 32, 8, 8);

constexpr std::size_t kArticleBoxes = 3;  // Text1(0) to Text1(2); Text1(3) is the output

constexpr QRect kLabel1Rect(432, 16, 137, 25);
constexpr QRect kLabel2Rect(208, 16, 177, 25);
constexpr QRect kLabel4Rect(24, 16, 137, 25);

// Half of a difference, rounded down also when it is negative.
int halfDown(int difference) {
    return difference >= 0 ? difference / 2 : -((1 - difference) / 2);
}

const std::array<QString, 4> kText1Names = {
    QStringLiteral("Article 1"), QStringLiteral("Article 2"), QStringLiteral("Article 3"),
    QStringLiteral("AMA format output")};

// What each large box says while it is empty.
const std::array<QString, 4> kText1Placeholders = {
    QStringLiteral("Article 1: paste the first version here"),
    QStringLiteral("Article 2: paste the second version here"),
    QStringLiteral("Article 3: paste the third version here"),
    QStringLiteral("The spin text appears here")};

// Reads every file; the refusals, one a line, are empty when all were read.
std::vector<kestrelwick::ArticleFile> readArticleFiles(const QStringList& paths,
                                                       QString& refusals) {
    std::vector<kestrelwick::ArticleFile> files;
    QStringList refused;
    for (const QString& path : paths) {
        // "-" stands for standard input, as it does for --check; a window
        // has no terminal to read it from.
        files.push_back(
            path == QLatin1String("-")
                ? kestrelwick::ArticleFile{{},
                                           QStringLiteral("Cannot read \"-\": standard input is "
                                                          "read only with --check.")}
                : kestrelwick::readArticleFile(path));
        if (!files.back().read()) {
            refused << files.back().refusal;
        }
    }
    refusals = refused.join(u'\n');
    return files;
}

// The busy pointer while it lives; a report that waits for the user pauses it.
class BusyCursor {
  public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Check minimum article length, convert to AMA format"));
    setWindowIcon(applicationIcon());

    // The controls sit on a canvas of the design size inside a scroll area
    // that fills the window: scroll bars appear only when the window is
    // smaller than the canvas.
    Scroller = new QScrollArea(this);
    Scroller->setFrameShape(QFrame::NoFrame);
    Scroller->setFocusPolicy(Qt::NoFocus);
    Scroller->setWidgetResizable(true);
    Canvas = new QWidget;
    Canvas->setObjectName(QStringLiteral("Canvas"));
    Canvas->setMinimumSize(kSmallestCanvas);
    Canvas->installEventFilter(this);
    Scroller->setWidget(Canvas);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Scroller);

    createControls();
    resize(kClientSize);
    Canvas->resize(kClientSize);
    placeControls();
    LinkLabel::fitCaptions({Label4, Label2, Label1});
    wireEvents();
}

void Form1::createControls() {
    // Labels first: where a label and a box overlap, the box is drawn on top.
    for (std::size_t k = 0; k < Label3.size(); ++k) {
        Label3[k] = new QLabel(Canvas);
        Label3[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Label3[k]->setTextFormat(Qt::PlainText);
        Label3[k]->setObjectName(QStringLiteral("Label3_%1").arg(k));
    }
    Label1 = new LinkLabel(QStringLiteral("Unique Article Wizard"),
                           QStringLiteral("Go to Unique Article Wizard website"), Canvas);
    Label2 = new LinkLabel(QStringLiteral("Article Marketing Automation"),
                           QStringLiteral("Go to Article Marketing Automation website"), Canvas);
    Label4 = new LinkLabel(QStringLiteral("Magic Article Submitter"),
                           QStringLiteral("Go to Magic Article Submitter website"), Canvas);

    for (std::size_t k = 0; k < Text1.size(); ++k) {
        Text1[k] = new TextBox(Canvas);
        Text1[k]->setObjectName(QStringLiteral("Text1_%1").arg(k));
        Text1[k]->setAccessibleName(kText1Names[k]);
        Text1[k]->setPlaceholderText(kText1Placeholders[k]);
        // Files dropped on an article box fill it and the article boxes after it.
        Text1[k]->setFileRoom(k < kArticleBoxes ? int(kArticleBoxes - k) : 0);
    }
    for (std::size_t k = 0; k < kArticleBoxes; ++k) {
        Text1[k]->showParagraphNumbers();
    }
    Text2 = new TextBox(Canvas);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setRowNumbers({});  // numbered with the paragraphs its lines count
    Text2->setAccessibleName(QStringLiteral("Word counts per paragraph"));
    Text2->setPlaceholderText(QStringLiteral("Word counts per paragraph"));

    Command1 =
        new WrappingPushButton(QStringLiteral("Check Articles && Generate AMA format"), Canvas);
    Command2 = new PushButton(QStringLiteral("Clear form"), Canvas);
    for (QPushButton* button : {Command1, Command2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
    }

    // Tab order: the four Text1 boxes, Check Articles, the grid, Clear form.
    setTabOrder(Text1[0], Text1[1]);
    setTabOrder(Text1[1], Text1[2]);
    setTabOrder(Text1[2], Text1[3]);
    setTabOrder(Text1[3], Command1);
    setTabOrder(Command1, Text2);
    setTabOrder(Text2, Command2);
    Text1[0]->setFocus();
}

Form1::Layout Form1::layoutFor(QSize canvas) {
    // At the design size every control has its design rectangle. Any other
    // size is shared out between the four large boxes: each column takes half
    // of the extra width and each row half of the extra height, and what lies
    // right of or below a box moves with it.
    const int h = halfDown(canvas.width() - kClientSize.width());
    const int v = halfDown(canvas.height() - kClientSize.height());
    const QSize box(417 + h, 297 + v);
    Layout layout;
    layout.text1 = {QRect(QPoint(16, 48), box), QRect(QPoint(456 + h, 48), box),
                    QRect(QPoint(16, 368 + v), box), QRect(QPoint(456 + h, 368 + v), box)};
    layout.label3 = {QRect(16, 344 + v, 209, 25), QRect(456 + h, 344 + v, 209, 25),
                     QRect(16, 664 + 2 * v, 209, 25), QRect(456 + h, 664 + 2 * v, 209, 25)};
    layout.text2 = QRect(16, 688 + 2 * v, 417 + h, 113);
    layout.command1 = QRect(472 + h, 704 + 2 * v, 201, 73);
    layout.command2 = QRect(784 + 2 * h, 736 + 2 * v, 97, 41);
    layout.label1 = kLabel1Rect;
    layout.label2 = kLabel2Rect;
    layout.label4 = kLabel4Rect;
    return layout;
}

void Form1::placeControls() {
    const Layout layout = layoutFor(Canvas->size());
    for (std::size_t k = 0; k < Text1.size(); ++k) {
        Text1[k]->setGeometry(layout.text1[k]);
        Label3[k]->setGeometry(layout.label3[k]);
    }
    Text2->setGeometry(layout.text2);
    Command1->setGeometry(layout.command1);
    Command2->setGeometry(layout.command2);
    Label1->setGeometry(layout.label1);
    Label2->setGeometry(layout.label2);
    Label4->setGeometry(layout.label4);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Canvas && event->type() == QEvent::Resize) {
        placeControls();
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::wireEvents() {
    for (int k = 0; k < int(Text1.size()); ++k) {
        connect(Text1[std::size_t(k)], &TextBox::filesDropped, this,
                [this, k](const QStringList& paths) { dropFiles(k, paths); });
    }
    connect(Text2, &TextBox::filesDropped, this,
            [this](const QStringList& paths) { dropFiles(-1, paths); });
    connect(Command1, &QPushButton::clicked, this, &Form1::checkArticles);
    // F8 and Shift+F8 go from one marked paragraph to the next.
    connect(new QShortcut(QKeySequence(Qt::Key_F8), this), &QShortcut::activated, this,
            [this] { goToMark(true); });
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F8), this), &QShortcut::activated, this,
            [this] { goToMark(false); });
    connect(Command2, &QPushButton::clicked, this, &Form1::clearForm);
    for (int k = 0; k < int(Text1.size()); ++k) {
        connect(Text1[std::size_t(k)], &TextBox::left, this, [this, k] { trimBox(k); });
    }
    connect(Label1, &LinkLabel::clicked, this,
            [this] { followLink(QString::fromLatin1(kUniqueArticleWizardAddress)); });
    connect(Label2, &LinkLabel::clicked, this,
            [this] { followLink(QString::fromLatin1(kArticleMarketingAutomationAddress)); });
    connect(Label4, &LinkLabel::clicked, this,
            [this] { followLink(QString::fromLatin1(kMagicArticleSubmitterAddress)); });
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
}

void Form1::fitToScreen() {
    const QWindow* window = windowHandle();
    const QMargins frame = window != nullptr ? window->frameMargins() : QMargins();
    fitPending_ = frame.isNull();
    fitWithin(fitPending_ ? kAssumedFrame : frame);
}

void Form1::fitWithin(const QMargins& frame) {
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    // At a fractional scale the frame's size in device-independent pixels is
    // rounded; a pixel more on each side keeps the frame inside the area.
    const qreal scale = devicePixelRatioF();
    const QMargins outerFrame = scale == std::floor(scale) ? frame : frame + QMargins(1, 1, 1, 1);
    const QSize room = area.size().shrunkBy(outerFrame);
    // Below the design size the layout shrinks to fit, and below its
    // smallest canvas it scrolls.
    const QSize client = kClientSize.boundedTo(room);
    resize(client);
    QRect outer(QPoint(), client.grownBy(outerFrame));
    outer.moveCenter(area.center());
    // The position of a window is that of its frame (which lies inside the
    // padded one), and its title bar never starts above or left of the
    // available area.
    move(std::max(outer.left() + outerFrame.left() - frame.left(), area.left()),
         std::max(outer.top() + outerFrame.top() - frame.top(), area.top()));
}

bool Form1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The window system tells the frame only after it has framed the window;
    // the move or resize that framing causes is the first moment it is known.
    const bool mayKnowFrame = event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                              event->type() == QEvent::Show;
    const bool sizedByUser = (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) != 0;
    if (fitPending_ && sizedByUser) {
        fitPending_ = false;
    }
    if (fitPending_ && mayKnowFrame && isVisible() && windowHandle() != nullptr) {
        const QMargins frame = windowHandle()->frameMargins();
        if (!frame.isNull()) {
            fitPending_ = false;
            if (frame != kAssumedFrame) {
                fitWithin(frame);
            }
        }
    }
    return handled;
}

void Form1::checkArticles() {
    bool outOfMemory = false;
    {
        const BusyCursor busy;
        clearMarks();
        Form1Boxes boxes(*this);
        try {
            kestrelwick::CheckArticles(boxes);
        } catch (const std::bad_alloc&) {
            // The check's own memory is given back by now; the boxes keep
            // what they held.
            boxes.takeBackWrites();
            clearMarks();
            outOfMemory = true;
        }
    }
    if (outOfMemory) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                        QStringLiteral("There is not enough memory to check these articles. "
                                       "The boxes are as they were."),
                        QMessageBox::Ok, this);
        box.exec();
    }
}

void Form1::clearForm() {
    QMessageBox confirmation(QMessageBox::Question, QStringLiteral("Just checking"),
                             QStringLiteral("Are you sure you want to clear all the boxes?"),
                             QMessageBox::Yes | QMessageBox::No, this);
    confirmation.setDefaultButton(QMessageBox::Yes);
    if (confirmation.exec() != QMessageBox::Yes) {
        return;
    }
    // Emptying boxes of many megabytes takes a moment, as a check does.
    const BusyCursor busy;
    // Each box is emptied as one edit that Ctrl+Z in it takes back.
    for (TextBox* box : Text1) {
        box->replaceText({});
    }
    Text2->replaceText({});
    Text2->setRowNumbers({});
    for (QLabel* label : Label3) {
        label->clear();
    }
    clearMarks();
}

void Form1::clearMarks() {
    for (std::size_t k = 0; k < kArticleBoxes; ++k) {
        Text1[k]->clearMarks();
    }
}

void Form1::goToMark(bool forward) {
    std::array<const ParagraphMarks*, kArticleBoxes> marks{};
    std::optional<MarkPlace> from;
    for (std::size_t k = 0; k < kArticleBoxes; ++k) {
        marks[k] = &Text1[k]->marks();
        if (Text1[k]->hasFocus()) {
            from = MarkPlace{int(k), Text1[k]->textCursor().blockNumber()};
        }
    }
    const std::optional<MarkPlace> to = nextMark(marks, from, forward);
    if (!to) {
        return;
    }
    TextBox* box = Text1.at(std::size_t(to->box));
    QTextCursor cursor(box->document()->findBlockByNumber(to->paragraph));
    box->setTextCursor(cursor);
    box->setFocus(Qt::ShortcutFocusReason);
    box->ensureCursorVisible();
}

void Form1::openArticleFiles(const QStringList& paths) {
    QString refusals;
    const auto files = readArticleFiles(paths.mid(0, qsizetype(kArticleBoxes)), refusals);
    // Each file replaces what its box holds as an undoable edit, as a drop
    // does; a refused file leaves its box as it is.
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (files[k].read()) {
            Text1[k]->replaceText(files[k].text);
        }
    }
    // A file manager hands over every file the user selected; the boxes take
    // the first three.
    QStringList messages;
    if (!refusals.isEmpty()) {
        messages << refusals;
    }
    if (paths.size() > qsizetype(kArticleBoxes)) {
        const QStringList leftOut = paths.mid(qsizetype(kArticleBoxes));
        messages << (leftOut.size() == 1
                         ? QStringLiteral("There are three article boxes, so this file was not "
                                          "opened:")
                         : QStringLiteral("There are three article boxes, so these %1 files were "
                                          "not opened:")
                               .arg(leftOut.size())) +
                        u'\n' + leftOut.join(u'\n');
    }
    if (!messages.isEmpty()) {
        // Once the window is up, so that the message has a window to stand on.
        const QString message = messages.join(QStringLiteral("\n\n"));
        QTimer::singleShot(0, this, [this, message] { showFileMessage(message); });
    }
}

void Form1::dropFiles(int index, const QStringList& paths) {
    if (index < 0 || index >= int(kArticleBoxes)) {
        showFileMessage(QStringLiteral(
            "Files can be dropped on the three article boxes only; this box gets its text from "
            "Check Articles."));
        return;
    }
    const qsizetype room = qsizetype(kArticleBoxes) - index;
    if (paths.size() > room) {
        showFileMessage(
            QStringLiteral("%1 files were dropped on article box %2, but only %3 article %4 from "
                           "there on. Nothing was changed.")
                .arg(paths.size())
                .arg(index + 1)
                .arg(room)
                .arg(room == 1 ? QStringLiteral("box is") : QStringLiteral("boxes are")));
        return;
    }
    // Every file is read before any box changes: one refused file changes
    // nothing.
    QString refusals;
    const auto files = readArticleFiles(paths, refusals);
    if (!refusals.isEmpty()) {
        showFileMessage(refusals + QStringLiteral("\nNothing was changed."));
        return;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        Text1[std::size_t(index) + i]->replaceText(files[i].text);
    }
}

void Form1::showFileMessage(const QString& message) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), message, QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void Form1::trimBox(int index) {
    text1(index)->trimSpaces();
}

void Form1::followLink(const QString& address) {
    // The shell's results up to 32 are its errors.
    constexpr std::int32_t kLastShellError = 32;
    if (OpenLink(address, kShowDefault) > kLastShellError) {
        return;
    }
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(),
                    QStringLiteral("The link could not be opened in a web browser. To visit the "
                                   "website, copy its address into a browser:\n\n") +
                        address,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

std::int32_t Form1::OpenLink(const QString& address, std::int32_t showState) {
#ifdef Q_OS_WIN
    // The shell takes the address in the system's single-byte code page.
    const QByteArray file = address.toLocal8Bit();
    return kestrelwick::shellOpen(file.constData(), showState);
#else
    // The desktop opens the address in the default browser in its normal
    // state. The result reads like the shell's: above 32 when the desktop
    // took the address, "no application associated" (31) when it did not.
    Q_UNUSED(showState);
    constexpr std::int32_t kOpened = 33;
    constexpr std::int32_t kNoAssociation = 31;
    return QDesktopServices::openUrl(QUrl(address)) ? kOpened : kNoAssociation;
#endif
}
