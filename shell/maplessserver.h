#pragma once

#include <memory>

#include "workspace/mapservices.h"

// The map server of a build without the map component: every workspace works with the web
// application, keeps its stations and route table, and its map panel says that no map is
// available. Addresses stay ungeocoded.
std::unique_ptr<TWorkspaceMapServer> CreateMaplessServer();
