#pragma once

// Opens windows of one folder from a window of another where a direct include would close a
// circle between the folders. The program's main part implements it and hands it to App.
class Opener {
public:
    virtual ~Opener() = default;

    // The main record list of the current category, in the list mode the cache holds.
    virtual void openMainList() = 0;
    // The main-and-sub list of the current category, in the list mode the cache holds.
    virtual void openMainSubList() = 0;
};
