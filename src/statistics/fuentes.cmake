# sources of src/statistics
