# Tests of the video library, book library and reimbursements.
