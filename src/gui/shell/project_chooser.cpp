#include "shell/project_chooser.h"

#include "shell/file_dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Focus that the user moves to the list (by mouse, Tab or its shortcut) selects the item under
// the caret and takes the choice away from the radios; leaving it clears its selection. Focus
// that comes to it on its own (the dialog opening or closing) chooses nothing.
class CListFocusWatch : public QObject {
public:
    CListFocusWatch(QListWidget* list, std::function<void()> onFocus)
        : QObject(list), m_pList(list), m_onFocus(std::move(onFocus)) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusIn && ByUser(static_cast<QFocusEvent*>(e)->reason()))
            m_onFocus();
        else if (e->type() == QEvent::FocusOut)
            m_pList->clearSelection();
        return false;
    }

private:
    static bool ByUser(Qt::FocusReason reason) {
        return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
               reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    }
    QListWidget* m_pList;
    std::function<void()> m_onFocus;
};

} // namespace

CProjectChooser::CProjectChooser(const QStringList& files, int radioIndex, QWidget* parent)
    : QDialog(parent), m_pRadios(new QButtonGroup(this)) {
    setWindowTitle(ShellText::kChooserTitle);
    auto* create = new QGroupBox(ShellText::kChooserCreateGroup, this);
    auto* radioLayout = new QVBoxLayout(create);
    for (int i = 0; i < static_cast<int>(ChooserTypes().size()); ++i) {
        auto* radio = new QRadioButton(TemplateOfType(ChooserTypes()[i])->chooserCaption, create);
        m_pRadios->addButton(radio, i);
        radioLayout->addWidget(radio);
    }
    radioLayout->addStretch();
    if (QAbstractButton* b = m_pRadios->button(radioIndex))
        b->setChecked(true);
    // The methods come first in the tab order and the checked one has the focus: Enter makes a
    // new project of the method chosen last.
    if (QAbstractButton* b = m_pRadios->checkedButton())
        b->setFocus();

    m_pList = new QListWidget(this);
    auto* open = new QGroupBox(ShellText::kChooserOpenGroup, this);
    auto* openLayout = new QVBoxLayout(open);
    auto* listLabel = new QLabel("&Project files:", open);
    listLabel->setBuddy(m_pList);
    m_pList->setAccessibleName("Project files");
    m_pList->addItems(files);
    m_pList->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    openLayout->addWidget(listLabel);
    openLayout->addWidget(m_pList);
    auto* browse = new QPushButton(ShellText::kBrowse, open);
    auto* browseRow = new QHBoxLayout;
    browseRow->addStretch();
    browseRow->addWidget(browse);
    openLayout->addLayout(browseRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* groups = new QHBoxLayout;
    groups->addWidget(create);
    groups->addWidget(open, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);

    m_pList->installEventFilter(new CListFocusWatch(m_pList, [this] { OnListFocused(); }));
    connect(m_pList, &QListWidget::itemSelectionChanged, this,
            &CProjectChooser::OnSelectionChanged);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &CProjectChooser::accept);
    connect(browse, &QPushButton::clicked, this, &CProjectChooser::Browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &CProjectChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CProjectChooser::reject);
}

void CProjectChooser::UncheckRadios() {
    m_pRadios->setExclusive(false);
    for (QAbstractButton* b : m_pRadios->buttons())
        b->setChecked(false);
    m_pRadios->setExclusive(true);
}

void CProjectChooser::OnListFocused() {
    if (m_pList->count() == 0)
        return;
    if (m_pList->currentRow() < 0)
        m_pList->setCurrentRow(0);
    m_pList->currentItem()->setSelected(true);
    UncheckRadios();
    m_strPath = m_pList->currentItem()->text();
}

void CProjectChooser::OnSelectionChanged() {
    const auto selected = m_pList->selectedItems();
    if (!selected.isEmpty())
        m_strPath = selected.first()->text();
    else if (m_pList->hasFocus())
        m_strPath.clear();
}

void CProjectChooser::Browse() {
    const QString path = GetProjectOpenPath(this, m_strPath);
    if (path.isEmpty())
        return;
    m_strPath = path;
    UncheckRadios();
    accept();
}

int CProjectChooser::RadioIndex() const {
    return m_pRadios->checkedId();
}

CChooserResult CProjectChooser::Result() const {
    return ResolveChooserChoice(RadioIndex(), m_strPath.toStdString());
}
