// Writes small JPEG files of the kinds the decoder meets as seeds of its fuzz
// target: baseline colour and grey, progressive, restart markers with
// optimised tables, and a CMYK picture.
//
//   make_jpeg_seeds <folder>
#include <cstdio>
#include <jpeglib.h>
#include <string>
#include <vector>

namespace {

struct TSeed {
    const char* Name;
    int Width;
    int Height;
    J_COLOR_SPACE Space;
    int Components;
    int Quality;
    bool Progressive;
    int RestartRows;
    int HorizontalSampling; // of the first component: 2 for 4:2:x, 1 for 4:4:4
    int VerticalSampling;
};

const TSeed kSeeds[] = {
    {"baseline_420.jpg", 16, 12, JCS_RGB, 3, 80, false, 0, 2, 2},
    {"grey.jpg", 8, 8, JCS_GRAYSCALE, 1, 90, false, 0, 1, 1},
    {"progressive_444.jpg", 24, 16, JCS_RGB, 3, 75, true, 0, 1, 1},
    {"restarts_422.jpg", 17, 9, JCS_RGB, 3, 60, false, 1, 2, 1},
    {"cmyk.jpg", 8, 8, JCS_CMYK, 4, 85, false, 0, 1, 1},
};

bool Write(const TSeed& seed, const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(seed.Width);
    cinfo.image_height = static_cast<JDIMENSION>(seed.Height);
    cinfo.input_components = seed.Components;
    cinfo.in_color_space = seed.Space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, seed.Quality, TRUE);
    cinfo.comp_info[0].h_samp_factor = seed.HorizontalSampling;
    cinfo.comp_info[0].v_samp_factor = seed.VerticalSampling;
    if (seed.Progressive)
        jpeg_simple_progression(&cinfo);
    if (seed.RestartRows > 0) {
        cinfo.restart_in_rows = seed.RestartRows;
        cinfo.optimize_coding = TRUE;
    }
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(seed.Width * seed.Components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        // A diagonal gradient with a sharp edge, so that every block has detail.
        for (int x = 0; x < seed.Width; x++)
            for (int c = 0; c < seed.Components; c++)
                row[static_cast<size_t>(x * seed.Components + c)] =
                    static_cast<JSAMPLE>((x * 16 + y * 8 + c * 64 + (x > y ? 96 : 0)) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_jpeg_seeds <folder>\n");
        return 2;
    }
    for (const TSeed& seed : kSeeds)
        if (!Write(seed, std::string(argv[1]) + "/" + seed.Name)) {
            std::fprintf(stderr, "make_jpeg_seeds: cannot write %s\n", seed.Name);
            return 1;
        }
    return 0;
}
