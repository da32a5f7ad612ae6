# Controller and history tests.
