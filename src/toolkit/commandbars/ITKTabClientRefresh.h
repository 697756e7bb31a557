#pragma once
// What the command bars need of the MDI tab client: to draw itself again
// after a theme change. The tab client implements it.

class ITKTabClientRefresh {
public:
    virtual ~ITKTabClientRefresh() = default;
    virtual void Refresh() = 0;
};
