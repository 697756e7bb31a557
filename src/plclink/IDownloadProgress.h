#pragma once
// What the download needs of the dialog that shows its progress: the
// position of its progress bar (0..100). The dialog keeps its other
// controls in step when the position is set.

class IDownloadProgress {
public:
    virtual ~IDownloadProgress() = default;
    virtual int ProgressPosition() = 0;
    virtual void SetProgressPosition(int position) = 0;
};
