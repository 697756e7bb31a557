#pragma once
// Keeps the screen size and the work area of the metrics service those of
// the screen a window is on, so that menus open, flip and scroll within the
// screen a person has: taken at once, and again whenever the window moves
// to another screen or that screen changes its size or its work area.
// Without a follower the service keeps its fixed defaults.

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

class QScreen;

class CScreenMetricsFollower {
public:
    explicit CScreenMetricsFollower(QWidget* window);
    ~CScreenMetricsFollower();
    CScreenMetricsFollower(const CScreenMetricsFollower&) = delete;
    CScreenMetricsFollower& operator=(const CScreenMetricsFollower&) = delete;

    // Copies the geometry of the window's screen into the metrics service.
    void Apply();

private:
    void Follow(QScreen* screen);
    void Disconnect();

    QPointer<QWidget> m_window;
    QMetaObject::Connection m_screenChanged;
    QMetaObject::Connection m_geometryChanged;
    QMetaObject::Connection m_workAreaChanged;
};
