// The items of the power source model list, by index. The model table (catalogue/ModelTable.h)
// gives each its code, folders and ratings; the RK7 transfer recipe needs the index alone, so the
// numbering lives here, below both.
#pragma once

namespace wisetup {

enum class ModelIndex : int {
  None = 0,  // "---------"
  HxR350R400 = 1,
  HxR500 = 2,
  HxR350LR400L = 3,
  HxS350S400 = 4,
  HxS350LS400L = 5,
  HxS500L = 6,
  HxT350T400 = 7,
  HxU350P = 8,
  HxU500P = 9,
};

inline constexpr int kModelCount = 10;  // item 0 is "---------"

// The areas of the area list (Japan, USA, EU, ASIA); the catalogue's folders and ratings follow
// them.
inline constexpr int kAreaCount = 4;

inline constexpr int Index(ModelIndex model) {
  return static_cast<int>(model);
}

// The model an item index of the model list stands for. No item chosen (-1), and any index the
// list does not hold, means no model: the tool treats them all as "---------".
inline constexpr ModelIndex ModelIndexOf(int itemIndex) {
  return itemIndex > 0 && itemIndex < kModelCount ? static_cast<ModelIndex>(itemIndex)
                                                  : ModelIndex::None;
}

// The U models carry no catalogue; an RK7 paired with one is rated by the model alone: 350 A for
// the U350P, 500 A for every other model.
inline constexpr int UModelRatedCurrent(ModelIndex model) {
  return model == ModelIndex::HxU350P ? 350 : 500;
}

}  // namespace wisetup
