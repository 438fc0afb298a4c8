#include "bounded_read.h"

#include <QFile>
#include <QFileInfo>

#include "data/shared_state.h"

bool Read_Bounded_File(const QString& path, qint64 cap, QByteArray* out, QString* why) {
  auto fail = [why](const char* zh, const char* en) {
    if (why) *why = Lang_Pick(zh, en);
    return false;
  };
  const QFileInfo info(path);
  if (!info.exists()) return fail("文件不存在", "the file does not exist");
  if (!info.isFile()) return fail("不是普通文件", "it is not a regular file");
  if (info.size() > cap) return fail("文件太大", "the file is too large");
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return fail("文件无法打开", "the file cannot be opened");
  QByteArray data = f.read(cap + 1);
  if (f.error() != QFile::NoError) return fail("文件读取失败", "the file cannot be read");
  if (data.size() > cap) return fail("文件太大", "the file is too large");
  *out = std::move(data);
  return true;
}
