#include "shell/main_frame.h"

#include "support/host.h"
#include "support/version.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(kProgramName);
    m_pMdi = new QMdiArea(this);
    m_pMdi->setObjectName("mdiArea");
    setCentralWidget(m_pMdi);
    m_pToolBar = addToolBar("Main");
    m_pToolBar->setObjectName("mainToolBar");
    CreateMainMenu();
    statusBar()->showMessage(kReadyText);
    resize(1024, 720);
}

void CMainFrame::CreateMainMenu() {
    QMenu* file = menuBar()->addMenu("&File");
    QAction* newAct = file->addAction("&New");
    newAct->setShortcut(QKeySequence::New);
    newAct->setEnabled(false);
    QAction* openAct = file->addAction("&Open...");
    openAct->setShortcut(QKeySequence::Open);
    openAct->setEnabled(false);
    file->addAction("P&rint Setup...")->setEnabled(false);
    file->addSeparator();
    QAction* exitAct = file->addAction("E&xit");
    connect(exitAct, &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu("&View");
    view->addAction("Choose Font...")->setEnabled(false);
    QAction* toolbarAct = m_pToolBar->toggleViewAction();
    toolbarAct->setText("Toolbar");
    view->addAction(toolbarAct);
    QAction* statusAct = view->addAction("&Status Bar");
    statusAct->setCheckable(true);
    statusAct->setChecked(true);
    connect(statusAct, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    view->addAction("&Preferences...")->setEnabled(false);

    QMenu* help = menuBar()->addMenu("&Help");
    help->addAction("&Contents...")->setEnabled(false);
    help->addAction("Index...")->setEnabled(false);
    help->addAction("&Search...")->setEnabled(false);
    connect(help->addAction("&About..."), &QAction::triggered, this, &CMainFrame::ShowAbout);
}

void CMainFrame::ShowAbout() {
    QMessageBox::about(this, QString("About %1").arg(kProgramName),
                       QString("%1 %2\nFIR filter design, analysis and export.")
                           .arg(kProgramName, kProgramVersion));
}
