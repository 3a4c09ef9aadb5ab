#pragma once
#include "core/ListRequest.h"

// Opens windows of one folder from a window of another where a direct include would close a
// circle between the folders. The program's main part implements it and hands it to App.
class Opener {
public:
    virtual ~Opener() = default;

    // The main record list of the current category, showing what the request asks.
    virtual void openMainList(const ListRequest& request) = 0;
    // The main-and-sub list of the current category on the request's main record.
    virtual void openMainSubList(const ListRequest& request) = 0;
};
