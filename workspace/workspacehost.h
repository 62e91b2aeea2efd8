#pragma once

#include <QSize>
#include <QString>

class QComboBox;
class TMapServerDB;
class TWorkspaceMapServer;

// What a workspace reads of the main window that holds it.
class TWorkspaceHost {
 public:
  virtual ~TWorkspaceHost() = default;
  virtual int ChildCounter() const = 0;
  virtual QString HomeURL() const = 0;
  virtual QString MapPath() const = 0;
  virtual TMapServerDB* MapServerDB() const = 0;
  virtual TWorkspaceMapServer* MapServer() const = 0;
  // The list of workspaces; each workspace keeps its own entry there.
  virtual QComboBox* WorkspaceList() const = 0;
  virtual QSize ClientSize() const = 0;
  virtual void ShowErrorMsg(int ENr, const QString& EMsg) = 0;
};
