#pragma once

#include <memory>

#include "workspace/mapservices.h"

class TMapServer;

// The workspace's map services over the map adapters: the map server makes real map views
// (TMapView) in the workspace's map panel.
std::unique_ptr<TWorkspaceMapServer> CreateMapAdapterServer();
