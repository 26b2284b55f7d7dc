#include "shell/data_view.h"

#include "dialogs/format_options_dialogs.h"
#include "doc/fir_doc.h"
#include "io/file_formats.h"
#include "shell/find_replace_dialog.h"
#include "views/page_setup.h"

#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

CDataViewFormat::CDataViewFormat(CDataViewSettings& settings, CHost& host, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_host(host), m_pMode(new QButtonGroup(this)),
      m_pFormats(new QListWidget(this)), m_pOptions(new QPushButton("Options", this)) {
    setWindowTitle(DataViewText::kFormatTitle);
    auto* modes = new QGroupBox("View Coefficients:", this);
    auto* modeLayout = new QVBoxLayout(modes);
    int id = 0;
    for (const char* caption : {"Automatic", "Inphase", "Quadrature", "Complex"}) {
        auto* radio = new QRadioButton(caption, modes);
        m_pMode->addButton(radio, id++);
        modeLayout->addWidget(radio);
    }
    m_pMode->button(settings.m_nMode)->setChecked(true);
    auto* listLabel = new QLabel("&In Format:", this);
    listLabel->setBuddy(m_pFormats);
    m_pFormats->setAccessibleName("In Format:");
    for (const std::string& name : DataViewFormatNames())
        m_pFormats->addItem(QString::fromStdString(name));
    const auto current = m_pFormats->findItems(
        QString::fromStdString(FileFormatName(FileFormatListCode(settings.m_Format.m_nFormat))),
        Qt::MatchExactly);
    if (!current.isEmpty())
        m_pFormats->setCurrentItem(current.first());
    m_pOptions->setEnabled(FormatHasOptions(settings.m_Format.m_nFormat));

    auto* formatColumn = new QVBoxLayout;
    formatColumn->addWidget(listLabel);
    formatColumn->addWidget(m_pFormats);
    formatColumn->addWidget(m_pOptions, 0, Qt::AlignLeft);
    auto* columns = new QHBoxLayout;
    columns->addWidget(modes);
    columns->addLayout(formatColumn, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Store();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pFormats, &QListWidget::currentRowChanged, this, &CDataViewFormat::Store);
    connect(m_pOptions, &QPushButton::clicked, this,
            [this] { ShowFormatOptions(this, m_settings.m_Format, m_host); });
}

void CDataViewFormat::Store() {
    m_settings.m_nMode = std::max(0, m_pMode->checkedId());
    if (QListWidgetItem* item = m_pFormats->currentItem())
        if (const SFileFormat* format = FindFileFormat(item->text().toStdString()))
            m_settings.m_Format.m_nFormat = format->code;
    m_pOptions->setEnabled(FormatHasOptions(m_settings.m_Format.m_nFormat));
}

CDataView::CDataView(CFirDoc& doc, QWidget* parent) : QPlainTextEdit(parent), m_doc(doc) {
    setObjectName("dataView");
    setAccessibleName("Coefficients");
    setLineWrapMode(QPlainTextEdit::NoWrap);
    CreateMenus();
    m_doc.AddView(*this);
}

CDataView::~CDataView() {
    m_doc.RemoveView(*this);
}

void CDataView::CreateMenus() {
    auto build = [this](QMenu* menu, bool context) {
        menu->addAction("&Select Filter and Data Format...", this, &CDataView::SelectFormat);
        menu->addAction("Chose &Font...", this, &CDataView::ChooseFont);
        menu->addSeparator();
        menu->addAction(context ? "&Undo Edit" : "&Undo", this, &QPlainTextEdit::undo);
        menu->addAction("Cu&t", this, &QPlainTextEdit::cut);
        menu->addAction("&Copy", this, &QPlainTextEdit::copy);
        menu->addAction("&Paste", this, &QPlainTextEdit::paste);
        menu->addAction("C&lear", this, [this] { textCursor().removeSelectedText(); });
        menu->addAction("Select &All", this, &QPlainTextEdit::selectAll);
        menu->addSeparator();
        menu->addAction("&Find...", this, &CDataView::FindText);
        menu->addAction("Replace...", this, &CDataView::ReplaceText);
        menu->addAction("&Repeat Last Find/Replace", this, &CDataView::RepeatLastFind);
        menu->addSeparator();
        if (context)
            menu->addAction("&Print...\tCtrl+P", this, &CDataView::PrintText);
        menu->addAction("&Update Filter From Editor", this, &CDataView::UpdateFilterFromEditor);
    };
    m_pMenu = new QMenu("&Coefficients", this);
    build(m_pMenu, false);
    m_pContextMenu = new QMenu("&Editor", this);
    build(m_pContextMenu, true);
}

void CDataView::OnUpdate(CFirDoc& doc, const SChangeNotice& notice) {
    if (!m_bBound) {
        if (notice.change != EChange::BindTime)
            return;
        m_bBound = true;
        m_settings.m_nMode = DataViewModeOf(notice);
        setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        List();
        return;
    }
    if (notice.change == EChange::Coefficients && &doc == &m_doc)
        List();
}

void CDataView::List() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setPlainText(QString::fromStdString(ListCoefficients(m_doc.Filter(), m_settings)));
    QApplication::restoreOverrideCursor();
}

void CDataView::UpdateFilterFromEditor() {
    const bool found =
        ReadCoefficientsText(m_doc.Filter(), m_settings, toPlainText().toStdString());
    m_doc.SetModifiedFlag();
    if (found)
        m_doc.OnFilterChanged();
}

void CDataView::SelectFormat() {
    CDataViewFormat dialog(m_settings, m_doc.Host(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_doc.UpdateAllViews(Notice::kCoefficients);
}

int CDataView::LineWidth() const {
    const QFontMetrics fm(m_bBound ? font() : QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return fm.horizontalAdvance(" -0.000000000000000000") +
           verticalScrollBar()->sizeHint().width() + 2 * frameWidth() + 2 * fm.averageCharWidth();
}

void CDataView::ChooseFont() {
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, font(), this, "Font", QFontDialog::MonospacedFonts);
    if (ok)
        setFont(chosen);
}

void CDataView::FindText() {
    ShowFindDialog(false);
}

void CDataView::ReplaceText() {
    ShowFindDialog(true);
}

void CDataView::ShowFindDialog(bool replace) {
    if (m_pFindDialog && m_pFindDialog->windowTitle() != (replace ? FindReplaceText::kReplaceTitle
                                                                  : FindReplaceText::kFindTitle))
        delete m_pFindDialog;
    if (!m_pFindDialog) {
        m_pFindDialog = new CFindReplaceDialog(replace, this);
        m_pFindDialog->setAttribute(Qt::WA_DeleteOnClose);
        CFindReplaceDialog* d = m_pFindDialog;
        connect(d, &CFindReplaceDialog::findNext, this, [this, d] {
            m_last = {d->FindWhat(), QString(), d->MatchCase(), false};
            FindNext(m_last.what, m_last.matchCase);
        });
        connect(d, &CFindReplaceDialog::replaceOne, this, [this, d] {
            m_last = {d->FindWhat(), d->ReplaceWith(), d->MatchCase(), true};
            ReplaceNext(m_last.what, m_last.with, m_last.matchCase);
        });
        connect(d, &CFindReplaceDialog::replaceAll, this, [this, d] {
            m_last = {d->FindWhat(), d->ReplaceWith(), d->MatchCase(), true};
            if (ReplaceAll(m_last.what, m_last.with, m_last.matchCase) == 0)
                QMessageBox::information(this, FindReplaceText::kReplaceTitle,
                                         QString(FindReplaceText::kNotFound).arg(m_last.what));
        });
    }
    const QString selected = textCursor().selectedText();
    m_pFindDialog->SetFindWhat(selected.isEmpty() || selected.contains(QChar::ParagraphSeparator)
                                   ? m_last.what
                                   : selected);
    m_pFindDialog->show();
    m_pFindDialog->raise();
    m_pFindDialog->activateWindow();
}

void CDataView::RepeatLastFind() {
    if (m_last.what.isEmpty())
        return;
    if (m_last.replace)
        ReplaceNext(m_last.what, m_last.with, m_last.matchCase);
    else
        FindNext(m_last.what, m_last.matchCase);
}

bool CDataView::FindNoMessage(const QString& what, bool matchCase) {
    const QTextDocument::FindFlags flags =
        matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    if (find(what, flags))
        return true;
    const QTextCursor here = textCursor();
    moveCursor(QTextCursor::Start);
    if (find(what, flags))
        return true;
    setTextCursor(here);
    return false;
}

bool CDataView::FindNext(const QString& what, bool matchCase) {
    if (what.isEmpty())
        return false;
    if (FindNoMessage(what, matchCase))
        return true;
    QMessageBox::information(this, FindReplaceText::kFindTitle,
                             QString(FindReplaceText::kNotFound).arg(what));
    return false;
}

void CDataView::ReplaceNext(const QString& what, const QString& with, bool matchCase) {
    if (what.isEmpty())
        return;
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QTextCursor cursor = textCursor();
    if (cursor.selectedText().compare(what, cs) == 0) {
        cursor.insertText(with);
        setTextCursor(cursor);
    }
    FindNext(what, matchCase);
}

int CDataView::ReplaceAll(const QString& what, const QString& with, bool matchCase) {
    if (what.isEmpty())
        return 0;
    const QTextDocument::FindFlags flags =
        matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
    QTextCursor edit(document());
    edit.beginEditBlock();
    int count = 0;
    for (QTextCursor found = document()->find(what, 0, flags); !found.isNull();
         found = document()->find(what, found, flags)) {
        found.insertText(with);
        ++count;
    }
    edit.endEditBlock();
    return count;
}

void CDataView::Print(QPrinter& printer) const {
    print(&printer);
}

void CDataView::PrintText() {
    QPrinter printer;
    ApplyPageSetup(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        Print(printer);
}

void CDataView::PrintPreview() {
    QPrinter printer;
    ApplyPageSetup(printer);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { Print(*p); });
    preview.exec();
}

void CDataView::contextMenuEvent(QContextMenuEvent* event) {
    m_pContextMenu->exec(event->globalPos());
}
