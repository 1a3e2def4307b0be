// The file dialogs F403B, F405B and F408B. The Look-in line, the file list
// and the file-name edit are laid over the areas drawn here, in the palette
// colours those overlays use.

#include "dialog_contents.h"
#include "layout/dialog_areas.h"

namespace vxr::painter {

namespace {

using namespace layout;

constexpr Color kFolder{231, 207, 99};
constexpr Color kFolderDark{165, 134, 41};

Rect listArea() {
    const Area list = selectionDialog(3).area;
    return {list.left, list.top, list.left + list.width, list.top + list.height};
}

Rect lookInLine() {
    return {kLookInLineAt.x, kLookInLineAt.y, kLookInLineAt.x + kLookInLineWidth, kLookInLineAt.y + kLookInLineHeight};
}

Rect fileNameEdit() {
    return {kFileNameEditAt.x, kFileNameEditAt.y, kFileNameEditAt.x + kFileNameEditWidth,
            kFileNameEditAt.y + kFileNameEditHeight};
}

// A raised square button with a down arrow, right of a field.
void dropButton(Canvas& canvas, const Rect& area) {
    button(canvas, area, "", ButtonLook::Plain);
    downArrow(canvas, area.left + (area.width() - 7) / 2, area.top + (area.height() - 4) / 2, kBlack);
}

void smallFolder(Bitmap& picture, int x, int y) {
    picture.fill({x, y, x + 5, y + 2}, kFolderDark);
    picture.fill({x, y + 2, x + 12, y + 10}, kFolder);
    picture.fill({x, y + 9, x + 12, y + 10}, kFolderDark);
    picture.fill({x + 11, y + 2, x + 12, y + 10}, kFolderDark);
}

// A small raised button showing a folder at `folderX` from its left and a
// mark beside it.
template <typename Mark>
void folderButton(Canvas& canvas, const Rect& area, int folderX, Mark mark) {
    button(canvas, area, "", ButtonLook::Plain);
    smallFolder(canvas.bitmap(), area.left + folderX, area.top + 6);
    mark(canvas.bitmap(), area.left, area.top);
}

// "Up one level": an arrow bent up and back over the folder.
void upArrow(Bitmap& picture, int left, int top) {
    const int x = left + 5, y = top + 4;
    picture.fill({x + 2, y, x + 3, y + 8}, kBlack);
    picture.fill({x + 1, y + 1, x + 4, y + 2}, kBlack);
    picture.fill({x, y + 2, x + 5, y + 3}, kBlack);
    picture.fill({x + 2, y + 7, x + 9, y + 8}, kBlack);
}

// "Create new folder": a spark at the folder's corner.
void spark(Bitmap& picture, int left, int top) {
    const int x = left + 16, y = top + 5;
    const Color yellow{255, 230, 0};
    picture.fill({x - 3, y, x + 4, y + 1}, yellow);
    picture.fill({x, y - 3, x + 1, y + 4}, yellow);
    picture.fill({x - 1, y - 1, x + 2, y + 2}, kWhite);
}

void lookInRow(Canvas& canvas) {
    const Rect line = lookInLine();
    text(canvas, 20, line.top + 2, "Look in:", kSans, 7, kBlack);
    sunkenField(canvas, line, pal(4));
    const Rect drop{line.right, line.top, line.right + 16, line.bottom};
    dropButton(canvas, drop);
    folderButton(canvas, {drop.right + 6, line.top - 2, drop.right + 29, line.bottom + 2}, 8, upArrow);
    folderButton(canvas, {drop.right + 31, line.top - 2, drop.right + 54, line.bottom + 2}, 4, spark);
}

// Column heads as raised header cells over the list, each caption where
// the rows write that column.
void listHeads(Canvas& canvas, const Rect& list) {
    const int top = list.top - 15, bottom = list.top - 1;
    const int sizeCell = list.left + kFileSizeRight - 52, dateCell = list.left + kFileDateX - 8;
    const Rect cells[] = {
        {list.left, top, sizeCell, bottom}, {sizeCell, top, dateCell, bottom}, {dateCell, top, list.right, bottom}};
    for (const Rect& cell : cells) {
        canvas.bitmap().fill(cell, pal(4));
        bevel(canvas, cell, true);
    }
    text(canvas, list.left + kFileNameX, top + 2, "Name", kSans, 7, kBlack);
    text(canvas, list.left + kFileSizeRight - textWidth(canvas, "Size", kSans, 7), top + 2, "Size", kSans, 7, kBlack);
    text(canvas, list.left + kFileDateX, top + 2, "Date", kSans, 7, kBlack);
}

void fileNameRows(Canvas& canvas) {
    const Rect edit = fileNameEdit();
    text(canvas, 20, edit.top + 1, "File name:", kSans, 7, kBlack);
    sunkenField(canvas, edit, pal(4));
    const Rect type{edit.left, edit.top + 25, edit.right, edit.bottom + 26};
    text(canvas, 20, type.top + 1, "Files of type:", kSans, 7, kBlack);
    sunkenField(canvas, type, pal(4));
    text(canvas, type.left + 3, type.top + 1, "*.VXI", kSans, 7, kBlack);
    dropButton(canvas, {type.right - 14, type.top, type.right, type.bottom});
}

void descriptionBox(Canvas& canvas, int width, int height) {
    const int top = fileNameEdit().top + 51;
    text(canvas, 20, top, "Image file description:", kSans, 7, kBlack);
    sunkenField(canvas, {20, top + 14, width - 20, height - 10}, pal(4));
}

}  // namespace

void fileDialogContents(Canvas& canvas, const std::string&) {
    const Rect list = listArea();
    lookInRow(canvas);
    listHeads(canvas, list);
    sunkenField(canvas, list, pal(1));
    fileNameRows(canvas);
    descriptionBox(canvas, canvas.bitmap().width(), canvas.bitmap().height());
}

}  // namespace vxr::painter
