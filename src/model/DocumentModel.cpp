#include "model/DocumentModel.h"

DocumentModel::DocumentModel()
    : m_blocks{BlockFile(BlockFile::config(6)), BlockFile(BlockFile::config(7)), BlockFile(BlockFile::config(8)),
               BlockFile(BlockFile::config(9)), BlockFile(BlockFile::config(10))}
{
}
