// A picture read back by a real XML parser (expat): its elements in
// document order with their attributes and text, or nothing when it is not
// well-formed.
#pragma once

#include <expat.h>

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pipecorr::testing {

struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;
};

struct XmlDocument {
  std::vector<XmlElement> elements;
  std::string error;  // empty when well-formed
  [[nodiscard]] bool well_formed() const { return error.empty(); }
};

inline XmlDocument parse_xml(const std::string& document) {
  struct State {
    XmlDocument* doc;
    std::vector<std::size_t> open;
  };
  XmlDocument doc;
  State state{&doc, {}};
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &state);
  XML_SetElementHandler(
      parser,
      [](void* data, const XML_Char* name, const XML_Char** attributes) {
        auto* s = static_cast<State*>(data);
        XmlElement element{name, {}, {}};
        for (std::size_t i = 0; attributes[i] != nullptr; i += 2) {
          element.attributes[attributes[i]] = attributes[i + 1];
        }
        s->open.push_back(s->doc->elements.size());
        s->doc->elements.push_back(std::move(element));
      },
      [](void* data, const XML_Char*) {
        static_cast<State*>(data)->open.pop_back();
      });
  XML_SetCharacterDataHandler(parser,
                              [](void* data, const XML_Char* text, int length) {
                                auto* s = static_cast<State*>(data);
                                if (s->open.empty()) return;
                                s->doc->elements[s->open.back()].text.append(
                                    text, static_cast<std::size_t>(length));
                              });
  if (XML_Parse(parser, document.data(), static_cast<int>(document.size()),
                XML_TRUE) != XML_STATUS_OK) {
    doc.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) +
                " at line " + std::to_string(XML_GetCurrentLineNumber(parser));
  }
  XML_ParserFree(parser);
  return doc;
}

}  // namespace pipecorr::testing
