#include "model/DocumentModel.h"

DocumentModel::DocumentModel()
    : m_blocks{BlockFile(BlockFile::config(SectionId::Album)), BlockFile(BlockFile::config(SectionId::Videos)),
               BlockFile(BlockFile::config(SectionId::Shopping)), BlockFile(BlockFile::config(SectionId::Books)),
               BlockFile(BlockFile::config(SectionId::Reimbursements))}
{
}
