#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "workspace/mapservices.h"
#include "workspace/workspacehost.h"

class QComboBox;
class QMdiArea;
class QToolButton;
class TMapServerDB;
class TSplashScreen;

// The program's main window: a frame of workspace windows with a tool strip to open, arrange
// and pick them. It runs the start-up, owns what all workspaces share (the local store, the
// map server with its geocoding choice dialog) and shows numbered errors.
class TMainForm : public QMainWindow, public TWorkspaceHost {
 public:
  struct TServices {
    // Makes the map server for a map root; may raise when the map component is missing.
    std::function<std::unique_ptr<TWorkspaceMapServer>(const QString& MapPath)> CreateMapServer;
    // Makes the local store; may raise when there is no database access.
    std::function<std::unique_ptr<TMapServerDB>()> CreateMapServerDB;
    // Shows a modal error box; tests answer it without a dialog.
    std::function<void(QWidget* Parent, const QString& Text)> ShowErrorBox;
    QString MapPathDefault;  // used while settings class 1002 names no map
  };

  TMainForm(const QString& HomeURL, TServices Services);
  ~TMainForm() override;

  void ShowErrorMsg(int ENr, const QString& EMsg) override;
  // Opens a workspace as the tab-page (false) or split-screen (true) button does.
  void OpenWorkspace(bool Split);
  // Arranging: 7 one above the other, 8 side by side, 9 overlapping.
  void ArrangeWorkspaces(int Button);
  void ComboBox1Change(int Index);
  void FormActivate();
  QMdiArea* WorkspaceArea() const { return MdiArea; }
  bool StartSucceeded() const { return FStartSucceeded; }

  // TWorkspaceHost
  int ChildCounter() const override { return FChildCounter; }
  QString HomeURL() const override { return FHomeURL; }
  QString MapPath() const override { return FMapPath; }
  TMapServerDB* MapServerDB() const override { return FMapServerDB.get(); }
  TWorkspaceMapServer* MapServer() const override { return FMapServer.get(); }
  QComboBox* WorkspaceList() const override { return ComboBox1; }
  QSize ClientSize() const override;

  TSplashScreen* AdvSplashScreen1 = nullptr;
  QWidget* Panel1 = nullptr;
  QToolButton* SpeedButton5 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  QToolButton* SpeedButton7 = nullptr;
  QToolButton* SpeedButton8 = nullptr;
  QToolButton* SpeedButton9 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QMdiArea* MdiArea = nullptr;

 protected:
  bool event(QEvent* Event) override;

 private:
  void FormCreate();
  void StartUp();
  void CreateToolStrip();
  QToolButton* StripButton(const QString& Name, int X, const QString& Hint);
  void PlaceOnScreen();
  void ReadMapPath();
  void FailStart(const QString& Text);

  TServices FServices;
  bool AppStart = false;
  bool FStartSucceeded = false;
  int FChildCounter = 0;
  QString FHomeURL;
  QString FMapPath;
  std::unique_ptr<TMapServerDB> FMapServerDB;
  std::unique_ptr<TWorkspaceMapServer> FMapServer;
};
