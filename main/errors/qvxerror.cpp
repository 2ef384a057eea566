#include "errors/qvxerror.h"

QvxError::QvxError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString())
{
}
