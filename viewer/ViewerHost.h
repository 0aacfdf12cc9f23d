#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

// The child window of the main dialog that will hold the document preview, to the right of
// the page list. Until the reader is hosted here it is an empty pane that takes its place in
// the layout; loading and page requests do nothing.
class ViewerHost : public QWidget {
    Q_OBJECT
public:
    ViewerHost() = default;

    // Makes this a child of `parent` at `position`. 1 on success, 0 without a parent.
    int Create(const QRect &position, QWidget *parent);
    void LoadDocument(const QString &path);
    void ShowPage(int page);
};
