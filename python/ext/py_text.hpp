// Texts from a plug-in or a case reach Python as str even when they are
// not valid UTF-8 (a third-party plug-in may write any bytes): what cannot
// be decoded becomes U+FFFD.
#pragma once

#include <pybind11/pybind11.h>

#include <string_view>

namespace pipecorr::python {

inline pybind11::str to_python_text(std::string_view text) {
  PyObject* object = PyUnicode_DecodeUTF8(
      text.data(), static_cast<Py_ssize_t>(text.size()), "replace");
  if (object == nullptr) throw pybind11::error_already_set();
  return pybind11::reinterpret_steal<pybind11::str>(object);
}

}  // namespace pipecorr::python
