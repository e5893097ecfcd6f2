#include "plot/svg_writer.hpp"

#include "numbers/number_text.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {

std::string coordinate(double value) { return fixed(value, 2); }

SvgWriter::SvgWriter(double width, double height) {
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
          coordinate(width) + "\" height=\"" + coordinate(height) +
          "\" viewBox=\"0 0 " + coordinate(width) + " " + coordinate(height) +
          "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\">\n";
  rect(0, 0, width, height, "#ffffff");
}

void SvgWriter::rect(double x, double y, double width, double height,
                     std::string_view fill, std::string_view extra) {
  out_ += "<rect x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) +
          "\" width=\"" + coordinate(width) + "\" height=\"" +
          coordinate(height) + "\" fill=\"" + xml_text(fill) + "\"";
  if (!extra.empty()) out_ += " " + std::string(extra);
  out_ += "/>\n";
}

void SvgWriter::line(double x1, double y1, double x2, double y2,
                     std::string_view stroke, double stroke_width,
                     std::string_view extra) {
  out_ += "<line x1=\"" + coordinate(x1) + "\" y1=\"" + coordinate(y1) +
          "\" x2=\"" + coordinate(x2) + "\" y2=\"" + coordinate(y2) +
          "\" stroke=\"" + xml_text(stroke) + "\" stroke-width=\"" +
          coordinate(stroke_width) + "\"";
  if (!extra.empty()) out_ += " " + std::string(extra);
  out_ += "/>\n";
}

void SvgWriter::circle(double cx, double cy, double r, std::string_view fill,
                       std::string_view extra) {
  out_ += "<circle cx=\"" + coordinate(cx) + "\" cy=\"" + coordinate(cy) +
          "\" r=\"" + coordinate(r) + "\" fill=\"" + xml_text(fill) + "\"";
  if (!extra.empty()) out_ += " " + std::string(extra);
  out_ += "/>\n";
}

void SvgWriter::path(std::string_view d, std::string_view stroke,
                     double stroke_width, std::string_view extra) {
  if (d.empty()) return;
  out_ += "<path d=\"" + std::string(d) + "\" fill=\"none\" stroke=\"" +
          xml_text(stroke) + "\" stroke-width=\"" + coordinate(stroke_width) +
          "\"";
  if (!extra.empty()) out_ += " " + std::string(extra);
  out_ += "/>\n";
}

void SvgWriter::text(double x, double y, std::string_view content, double size,
                     std::string_view anchor, std::string_view extra) {
  out_ += "<text x=\"" + coordinate(x) + "\" y=\"" + coordinate(y) +
          "\" font-size=\"" + coordinate(size) + "\" text-anchor=\"" +
          std::string(anchor) + "\"";
  if (!extra.empty()) out_ += " " + std::string(extra);
  out_ += ">" + xml_text(content) + "</text>\n";
}

void SvgWriter::open_group(std::string_view attributes) {
  out_ += "<g " + std::string(attributes) + ">\n";
}

void SvgWriter::close_group() { out_ += "</g>\n"; }

void SvgWriter::comment(std::string_view content) {
  std::string safe = xml_text(content);
  // "--" may not appear inside an XML comment.
  for (std::size_t at = safe.find("--"); at != std::string::npos;
       at = safe.find("--", at)) {
    safe[at + 1] = ' ';
  }
  out_ += "<!-- " + safe + " -->\n";
}

std::string SvgWriter::finish() {
  out_ += "</svg>\n";
  return std::move(out_);
}

}  // namespace pipecorr::hostkit
