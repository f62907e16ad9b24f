#include "core/file_store.h"

namespace quellbrook {

std::u16string ReadOnlyDetail(std::u16string_view path) {
  return u"文件“" + std::u16string(path) + u"”设有只读属性，请先在其属性中取消“只读”。";
}

}  // namespace quellbrook
