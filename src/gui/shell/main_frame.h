#pragma once

#include <QMainWindow>

class QMdiArea;
class QToolBar;

// The main window: a multi-document area, the main menu, the main toolbar and the status bar.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QMdiArea* MdiArea() const { return m_pMdi; }

private:
    void CreateMainMenu();
    void ShowAbout();

    QMdiArea* m_pMdi = nullptr;
    QToolBar* m_pToolBar = nullptr;
};
