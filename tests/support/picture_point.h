#pragma once

#include <QPoint>
#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

// A viewport point a few pixels inside the first picture whose "alt" is `alt`, as the view is
// scrolled now; (-1, -1) when the page has no such picture.
inline QPoint PicturePoint(const QTextEdit& view, const QString& alt) {
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat() && format.stringProperty(QTextFormat::ImageAltText) == alt) {
                QTextCursor cursor(view.document());
                cursor.setPosition(fragment.position());
                return view.cursorRect(cursor).center() + QPoint(5, 0);
            }
        }
    }
    return {-1, -1};
}
