// Loads a drawing from arbitrary bytes and plays it back.
#include "walldesign/report/drawing.h"

#include "platform/error.h"
#include "platform/recordingcanvas.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    wd::TDrawing drawing;
    sps::ByteReader in(data, size);
    try {
        drawing.LoadFromStream(in);
    } catch (const sps::Exception&) {
        return 0;
    }
    sps::TRecordingCanvas screen(false);
    drawing.Draw(screen, {0, 0, 640, 480});
    sps::TRecordingCanvas printer(true);
    drawing.Draw(printer, {0, 0, 1, 1});
    (void)drawing.GetWidth();
    (void)drawing.GetHeight();
    sps::ByteWriter out;
    drawing.SaveToStream(out);
    return 0;
}
