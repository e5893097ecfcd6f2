// A small SVG document builder: shapes and text with the escaping XML needs
// (any text, whatever its bytes, comes out as well-formed UTF-8),
// coordinates rounded to hundredths of a pixel.
#pragma once

#include <string>
#include <string_view>

namespace pipecorr::hostkit {

class SvgWriter {
 public:
  SvgWriter(double width, double height);

  void rect(double x, double y, double width, double height,
            std::string_view fill, std::string_view extra = {});
  void line(double x1, double y1, double x2, double y2, std::string_view stroke,
            double stroke_width, std::string_view extra = {});
  // A dot or ring at (cx, cy) of radius r; fill "none" for a ring.
  void circle(double cx, double cy, double r, std::string_view fill,
              std::string_view extra = {});
  // d is path data built with coordinate(); drawn unfilled.
  void path(std::string_view d, std::string_view stroke, double stroke_width,
            std::string_view extra = {});
  // anchor: "start", "middle" or "end"; extra: further attributes.
  void text(double x, double y, std::string_view content, double size,
            std::string_view anchor = "start", std::string_view extra = {});
  void open_group(std::string_view attributes);
  void close_group();
  void comment(std::string_view content);

  // The finished document; the writer is empty afterwards.
  [[nodiscard]] std::string finish();

 private:
  std::string out_;
};

// "12.34" for a coordinate; used to build path data.
[[nodiscard]] std::string coordinate(double value);

}  // namespace pipecorr::hostkit
