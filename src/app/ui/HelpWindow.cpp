#include "app/ui/HelpWindow.h"

#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPageSetupDialog>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/ImportDialog.h"
#include "entries/ui/DataEntryFrm.h"
#include "entries/ui/FilterToolBar.h"
#include "events/ui/EventDlg.h"
#include "frames/ui/ChildFrame.h"
#include "imports/ui/ActivityImportWindow.h"
#include "prefs/ui/PreferencesSheet.h"
#include "weights/ui/ExerciseListDlg.h"
#include "weights/ui/WeightsDlg.h"

// Outside any namespace, as Q_INIT_RESOURCE needs.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace kivrun {
namespace {

const QString kRoot = QStringLiteral("qrc:/help/");

QString ReadResource(const QString& name) {
    QFile file(QStringLiteral(":/help/") + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QPointer<HelpWindow>& TheWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

class HelpKey : public QObject {
  public:
    explicit HelpKey(QObject* owner) : QObject(owner) { qApp->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        HelpWindow::Open(HelpTargetOf(HelpContextAt(widget)));
        return true;
    }
};

}  // namespace

HelpWindow& HelpWindow::Instance() {
    if (!TheWindow()) {
        TheWindow() = new HelpWindow;
        // Gone with the program, whichever window closes last.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { delete TheWindow(); });
    }
    return *TheWindow();
}

HelpWindow* HelpWindow::Existing() {
    return TheWindow();
}

void HelpWindow::Open(const std::string& target) {
    Instance().Show(QString::fromStdString(target));
}

HelpWindow::HelpWindow() {
    InitHelpResources();
    setWindowTitle(tr("Kivrun Help"));
    setObjectName(QStringLiteral("HelpWindow"));
    // The guide alone does not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    browser_ = new QTextBrowser;
    browser_->setOpenLinks(false);
    browser_->setSearchPaths({QStringLiteral(":/help")});
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl url = browser_->source().resolved(link);
        if (url.scheme() == QLatin1String("qrc"))
            browser_->setSource(url);
        else
            statusBar()->showMessage(tr("The guide does not open links outside it."), 5000);
    });
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::PageChanged);

    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    contents_->setObjectName(QStringLiteral("HelpContents"));
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !listing_) Show(item->data(0, Qt::UserRole).toString());
    });

    findBox_ = new QLineEdit;
    findBox_->setObjectName(QStringLiteral("HelpFind"));
    findBox_->setPlaceholderText(tr("Find in the guide"));
    findBox_->setClearButtonEnabled(true);
    findBox_->setMaximumWidth(260);
    findBox_->installEventFilter(this);
    connect(findBox_, &QLineEdit::textChanged, this, &HelpWindow::Find);
    connect(findBox_, &QLineEdit::returnPressed, this, [this] {
        if (MarkCount() > 0)
            FindNext();
        else if (hits_->count() > 0 && hits_->item(0)->flags() & Qt::ItemIsSelectable)
            hits_->setCurrentRow(0);
    });

    hits_ = new QListWidget;
    hits_->setObjectName(QStringLiteral("HelpHits"));
    connect(hits_, &QListWidget::currentRowChanged, this, &HelpWindow::OpenHit);
    hitsLabel_ = new QLabel;

    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(4, 4, 0, 4);
    sideLayout->addWidget(new QLabel(tr("Contents")));
    sideLayout->addWidget(contents_, 3);
    sideLayout->addWidget(hitsLabel_);
    sideLayout->addWidget(hits_, 2);
    hitsLabel_->hide();
    hits_->hide();

    auto* split = new QSplitter;
    split->addWidget(side);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({230, 670});
    setCentralWidget(split);

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setObjectName(QStringLiteral("HelpToolbar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    bar->toggleViewAction()->setVisible(false);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"),
                                   browser_, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"),
                                      browser_, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Contents"),
                                   this, [this] { Show(QStringLiteral("index.html")); });
    home->setShortcut(Qt::ALT | Qt::Key_Home);
    bar->addSeparator();
    bar->addWidget(findBox_);
    previous_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowUp), tr("Previous"), this,
                               [this] { FindNext(true); });
    previous_->setShortcut(Qt::SHIFT | Qt::Key_F3);
    next_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowDown), tr("Next"), this,
                           [this] { FindNext(false); });
    next_->setShortcut(Qt::Key_F3);
    for (QAction* action : {back, forward, home, previous_, next_})
        action->setToolTip(action->text() + " (" +
                           action->shortcut().toString(QKeySequence::NativeText) + ")");
    previous_->setEnabled(false);
    next_->setEnabled(false);

    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        findBox_->setFocus(Qt::ShortcutFocusReason);
        findBox_->selectAll();
    });
    auto* closeKey = new QShortcut(QKeySequence::Close, this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    auto* escapeKey = new QShortcut(Qt::Key_Escape, this);
    connect(escapeKey, &QShortcut::activated, this, &HelpWindow::Escape);

    BuildContents();
    resize(920, 660);
}

void HelpWindow::BuildContents() {
    const HelpContents contents = ParseHelpContents(ReadResource("contents.txt").toStdString());
    std::vector<HelpPageText> pages;
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpTopic& topic : contents.topics) {
        parents.resize(topic.level);
        auto* item =
            parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(topic.title));
        item->setData(0, Qt::UserRole, QString::fromStdString(topic.page));
        parents.push_back(item);

        QTextDocument page;
        page.setHtml(ReadResource(QString::fromStdString(topic.page)));
        pages.push_back({topic.page, topic.title, page.toPlainText().toStdString()});
    }
    contents_->expandAll();
    search_ = std::make_unique<CHelpSearch>(std::move(pages));
}

void HelpWindow::Show(const QString& target) {
    const QUrl url(kRoot + target);
    if (browser_->source() != url) browser_->setSource(url);
    // Opened from elsewhere, the page takes the keyboard so that it scrolls with the keys;
    // within the window the keyboard stays where the user has it.
    const bool fromElsewhere = !isAncestorOf(QApplication::focusWidget());
    FollowModalDialog();
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
    if (fromElsewhere) browser_->setFocus(Qt::OtherFocusReason);
}

QString HelpWindow::CurrentTarget() const {
    const QUrl url = browser_->source();
    return url.fileName() + (url.hasFragment() ? "#" + url.fragment() : QString());
}

void HelpWindow::PageChanged(const QUrl& url) {
    // The signal comes before source() says the new page.
    const QString page = url.fileName();
    listing_ = true;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == page) {
            contents_->setCurrentItem(*it);
            break;
        }
    listing_ = false;
    setWindowTitle(tr("Kivrun Help") + QStringLiteral(" - ") + browser_->documentTitle());
    MarkWords();
}

void HelpWindow::Find(const QString& query) {
    const std::vector<HelpHit> found = search_->Find(query.toStdString());
    const bool searching = !query.trimmed().isEmpty();
    listing_ = true;
    hits_->clear();
    for (const HelpHit& hit : found) {
        auto* item = new QListWidgetItem(QString::fromStdString(hit.title), hits_);
        item->setData(Qt::UserRole, QString::fromStdString(hit.page));
        item->setToolTip(hit.count == 1 ? tr("Once on this page")
                                        : tr("%1 times on this page").arg(hit.count));
    }
    listing_ = false;
    hitsLabel_->setText(found.empty()       ? tr("No page holds every word.")
                        : found.size() == 1 ? tr("Found on 1 page:")
                                            : tr("Found on %1 pages:").arg(found.size()));
    hitsLabel_->setVisible(searching);
    hits_->setVisible(searching && !found.empty());
    MarkWords();
}

void HelpWindow::OpenHit(int row) {
    if (listing_ || row < 0) return;
    Show(hits_->item(row)->data(Qt::UserRole).toString());
    MarkWords();
    if (MarkCount() > 0) {
        // From the top, to the first of the words.
        browser_->moveCursor(QTextCursor::Start);
        FindNext();
    }
}

void HelpWindow::MarkWords() {
    QList<QTextEdit::ExtraSelection> marks;
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 230, 80));
    for (const std::string& word : CHelpSearch::Words(findBox_->text().toStdString())) {
        const QString text = QString::fromStdString(word);
        for (QTextCursor at = browser_->document()->find(text); !at.isNull();
             at = browser_->document()->find(text, at))
            marks.push_back({at, marked});
    }
    std::sort(marks.begin(), marks.end(), [](const auto& a, const auto& b) {
        return a.cursor.selectionStart() < b.cursor.selectionStart();
    });
    browser_->setExtraSelections(marks);
    next_->setEnabled(!marks.isEmpty());
    previous_->setEnabled(!marks.isEmpty());
}

int HelpWindow::MarkCount() const {
    return static_cast<int>(browser_->extraSelections().size());
}

void HelpWindow::FindNext(bool backward) {
    const QList<QTextEdit::ExtraSelection> marks = browser_->extraSelections();
    if (marks.isEmpty()) return;
    const QTextCursor here = browser_->textCursor();
    // Round to the other end when there is no further word.
    QTextCursor to = backward ? marks.back().cursor : marks.front().cursor;
    if (backward) {
        const int from = here.hasSelection() ? here.selectionStart() : here.position();
        for (auto it = marks.rbegin(); it != marks.rend(); ++it)
            if (it->cursor.selectionEnd() <= from) {
                to = it->cursor;
                break;
            }
    } else {
        const int from = here.hasSelection() ? here.selectionEnd() : here.position();
        for (const auto& mark : marks)
            if (mark.cursor.selectionStart() >= from) {
                to = mark.cursor;
                break;
            }
    }
    browser_->setTextCursor(to);
    browser_->ensureCursorVisible();
}

void HelpWindow::Escape() {
    if (!findBox_->text().isEmpty()) {
        findBox_->clear();
        return;
    }
    close();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // Down from the find box goes to the pages found.
    if (watched == findBox_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Down && hits_->isVisible()) {
        hits_->setFocus(Qt::TabFocusReason);
        if (hits_->currentRow() < 0) hits_->setCurrentRow(0);
        return true;
    }
    if (watched == modal_ && event->type() == QEvent::Hide) {
        // The dialog went: the window is the program's again, where it was.
        const QRect where = geometry();
        const bool shown = isVisible();
        modal_->removeEventFilter(this);
        modal_ = nullptr;
        setParent(nullptr, Qt::Window);
        setGeometry(where);
        if (shown) show();
    }
    return QMainWindow::eventFilter(watched, event);
}

void HelpWindow::FollowModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == modal_ || modal == this) return;
    const QRect where = geometry();
    const bool placed = isVisible();
    if (modal_) modal_->removeEventFilter(this);
    modal_ = modal;
    modal_->installEventFilter(this);
    setParent(modal, Qt::Window);
    if (placed) setGeometry(where);
}

HelpContext HelpContextAt(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<const CDataEntryFrm*>(w)) return HelpContext::DataEntry;
        if (qobject_cast<const CFilterToolBar*>(w)) return HelpContext::FilterBar;
        if (qobject_cast<const CEventDlg*>(w)) return HelpContext::EventDialog;
        if (auto* dialog = qobject_cast<CWeightsDlg*>(w))
            return dialog->model().EditsWorkout() ? HelpContext::WeightsDialog
                                                  : HelpContext::TemplatesDialog;
        if (qobject_cast<const CExerciseListDlg*>(w)) return HelpContext::ExerciseList;
        if (qobject_cast<const CPreferencesSheet*>(w)) return HelpContext::Preferences;
        if (qobject_cast<const CImportDialog*>(w)) return HelpContext::Import;
        if (qobject_cast<const ActivityImportWindow*>(w)) return HelpContext::ActivityImport;
        if (qobject_cast<const QAbstractPrintDialog*>(w) ||
            qobject_cast<const QPageSetupDialog*>(w))
            return HelpContext::Print;
        if (auto* child = qobject_cast<const ChildFrame*>(w)) return HelpContextOf(child->Kind());
    }
    return HelpContext::Contents;
}

QObject* InstallHelpKey(QObject* owner) {
    return new HelpKey(owner);
}

}  // namespace kivrun
