// The parts of ImageMagick's command-line language the stand-in understands: response files, frame
// selectors, percent patterns in file names and property values, and resize geometries.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace magick {

using Properties = std::map<std::wstring, std::wstring>;

// Words of a response file. A word that starts with a double or single quote ends at the next such
// quote (no escapes); whatever follows the closing quote up to the next blank is dropped.
std::vector<std::wstring> SplitResponseFile(const std::wstring& text);

// "name[3]" -> name and frame 3; "name[1-2]" or "name[0,2]" -> those frames. False when the argument has
// no selector (name is the whole argument then).
bool SplitFrameSelector(const std::wstring& argument, std::wstring& name, std::vector<size_t>& frames);

// A file name with its percent patterns expanded: %d %o %x (optionally %0Nd) give scene, %[filename:X]
// the property X, %% one percent sign. changed tells whether any pattern was found.
std::wstring InterpretFilename(const std::wstring& format, size_t scene, const Properties* properties, bool& changed);

// What a -set value can refer to for one image.
struct TImageFacts {
  std::wstring path;  // as read, without frame selector
  unsigned width = 0, height = 0;
};
// A -set value expanded for one image: backslash escapes, %d (folder), %t (name without extension),
// %f (name), %e (extension), %w, %h, %%. False with error for anything else.
bool InterpretProperties(const std::wstring& value, const TImageFacts& image, std::wstring& result,
                         std::wstring& error);

// -resize geometry: W, xH, WxH or N%, optionally followed by > (only shrink larger images).
struct TGeometry {
  bool hasWidth = false, hasHeight = false, percent = false, shrinkOnly = false;
  double width = 0, height = 0;
};
bool ParseGeometry(const std::wstring& text, TGeometry& geometry);
// The new size of a width x height image; false when the image keeps its size.
bool ResizedSize(const TGeometry& geometry, unsigned width, unsigned height, unsigned& newWidth, unsigned& newHeight);

bool SameTextAscii(const std::wstring& a, const std::wstring& b);

}  // namespace magick
