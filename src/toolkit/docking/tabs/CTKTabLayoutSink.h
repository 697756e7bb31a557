#pragma once
// What a tab strip's owner hears of any change of tabs, selection or
// scroll offset.

class CTKTabLayoutSink {
public:
    virtual void RequestLayout() { OnLayoutChanged(); }
    virtual ~CTKTabLayoutSink() = default;
    virtual void OnLayoutChanged() = 0;
};
