// The peer connection's boxes FP21 to FP23 and the VexorCast session box
// F331B: their signs, notes, fields and radio buttons.

#include "artwork.h"
#include "dialog_contents.h"
#include "layout/peer_layout.h"

namespace vxr::painter {

namespace {

// Two computers joined by a cable, 30 x 28, where other boxes have a sign.
void networkSign(Bitmap& picture, int x, int y) {
    const Rect bounds{x, y, x + 30, y + 28};
    const auto computer = [&](double left, double top) {
        fillShape(picture, bounds, kBlack, roundedBox(left, top, left + 14, top + 11, 1.5));
        fillShape(picture, bounds, pal(3), roundedBox(left + 2, top + 2, left + 12, top + 9, 1));
        fillShape(picture, bounds, pal(4), roundedBox(left + 3, top + 12, left + 11, top + 15, 1));
    };
    fillShape(picture, bounds, kBlack, segment(x + 8, y + 14, x + 8, y + 22, 1.6));
    fillShape(picture, bounds, kBlack, segment(x + 8, y + 22, x + 22, y + 22, 1.6));
    fillShape(picture, bounds, kBlack, segment(x + 22, y + 22, x + 22, y + 16, 1.6));
    computer(x + 1, y + 1);
    computer(x + 15, y + 3);
    fillShape(picture, bounds, Color{40, 200, 60}, disc(x + 15, y + 22, 2.2));
}

void field(Canvas& canvas, int x, int y, int width, int height) {
    sunkenField(canvas, {x, y, x + width, y + height}, pal(4));
}

// A sunken radio button: dark above left, light below right.
void radio(Canvas& canvas, int x, int y, bool set) {
    Bitmap& picture = canvas.bitmap();
    const Rect bounds{x, y, x + 14, y + 14};
    const Shape outer = disc(x + 7, y + 7, 6.5);
    fillShape(picture, bounds, kShadow, outer);
    fillShape(picture, bounds, kLight, [=](double px, double py) { return outer(px, py) && px + py > x + y + 14; });
    fillShape(picture, bounds, kWhite, disc(x + 7, y + 7, 5));
    if (set) fillShape(picture, bounds, kBlack, disc(x + 7, y + 7, 2.2));
}

}  // namespace

void slaveWaitingContents(Canvas& canvas, const std::string&) {
    networkSign(canvas.bitmap(), 8, 30);
    text(canvas, 44, 68, "Waiting for the master computer to connect.", kSans, 7, kBlack);
}

void masterAddressContents(Canvas& canvas, const std::string&) {
    using namespace layout;
    networkSign(canvas.bitmap(), 8, 30);
    text(canvas, 44, 28, "Enter the IP address that the slave computer shows.", kSans, 7, kBlack);
    text(canvas, 44, 42, std::string("Local IP address: ") + kMasterAddress, kSans, 7, kBlack);
    text(canvas, kAddressEditAt.x, kAddressEditAt.y - 14, "Slave IP address:", kSans, 7, kBlack);
    field(canvas, kAddressEditAt.x, kAddressEditAt.y, kAddressEditWidth, kAddressEditHeight);
}

void connectedContents(Canvas& canvas, const std::string&) {
    networkSign(canvas.bitmap(), 8, 30);
    text(canvas, 44, 50, "Waiting while the master computer carries out its task.", kSans, 7, kBlack);
    text(canvas, 44, 64, "Do not switch off this computer.", kSans, 7, kBlack);
}

void sessionContents(Canvas& canvas, const std::string&) {
    networkSign(canvas.bitmap(), 8, 30);
    text(canvas, 44, 32, "Session name:", kSans, 7, kBlack);
    field(canvas, 120, 30, 222, 15);
    text(canvas, 44, 52, "Clients join the session by this name.", kSans, 7, kBlack);
    groupBox(canvas, {14, 80, 344, 172}, "Discovery method");
    radio(canvas, 28, 96, true);
    text(canvas, 48, 98, "Automatic", kSans, 7, kBlack);
    text(canvas, 48, 112, "Find the session server on the local network", kSans, 7, kBlack);
    radio(canvas, 28, 134, false);
    text(canvas, 48, 136, "Server IP Address", kSans, 7, kBlack);
    field(canvas, 150, 134, 180, 15);
    text(canvas, 48, 152, "Ask the server at this address", kSans, 7, kBlack);
}

}  // namespace vxr::painter
