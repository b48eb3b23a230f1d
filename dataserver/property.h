#pragma once
// A node of the dictionary tree: an object or a typed value.

#include <cstdint>
#include <memory>
#include <string>

#include "dataserver/instance.h"

enum TPropertyType : std::uint8_t {
  ptObject = 0,
  ptNumeric = 1,
  ptString = 2,
  ptDate = 3,
  ptList = 4,
};

class TDictionary;

class TProperty {
 public:
  TProperty(TDictionary* dictionary, std::int32_t identifier);
  ~TProperty();
  TProperty(const TProperty&) = delete;
  TProperty& operator=(const TProperty&) = delete;

  std::int32_t Identifier = 0;
  std::uint8_t Type = ptString;  // real type set when the record is read
  bool HasDefault = false;
  std::string DefaultText;
  std::int32_t ListOffset = 0;  // position of the enumeration in Lists.BIN; 0 unless a list

  TInstanceList& Instances() { return instances_; }
  const TInstanceList& Instances() const { return instances_; }

  TProperty* Parent = nullptr;
  TProperty* LastChild = nullptr;
  TProperty* firstChild = nullptr;
  TProperty* NextSibling = nullptr;
  void AppendChild(TProperty* child);

  TDictionary* Dictionary() const { return dictionary_; }

  int getIndex() const;  // position in the sorted dictionary list, -1 if absent
  int getDepth() const;  // number of ancestors
  bool ValidInstance() const { return false; }
  int getChildCount(int pathLength, const TPathEntry* path) const;
  int getObjectCount() const { return getChildCount(0, nullptr); }

  // The value used when a value is queried that has no instance: status 0 with the value
  // written (nothing written for an object), or 1039 when there is none.
  DsvStatus GetDefaultValue(void* destination) const;

 private:
  TDictionary* dictionary_;
  TInstanceList instances_;
};
