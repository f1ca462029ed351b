# Sources of the user-defined function: tokenizer, postfix conversion, evaluator, user models.
set(CURVLIB_EXPRESSION_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/tokenizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/postfix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/evaluator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tparse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_model.cpp
)
