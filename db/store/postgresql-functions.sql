-- The store's stored function on PostgreSQL, run as one statement (its body
-- holds semicolons) after postgresql.sql. Replacing it is idempotent.
--
-- The one tcrf_crofiscale row of a programme, year and month, created when
-- missing; a year or month below 1 (or NULL) counts as NULL. Two callers at
-- once get the same row: the unique index makes the second insert wait for
-- the first and then do nothing, and the select that follows sees the row.
CREATE OR REPLACE FUNCTION phlm_getcrofiscale(p_programma VARCHAR, p_anno INTEGER, p_mese INTEGER)
RETURNS BIGINT
LANGUAGE plpgsql
AS $$
DECLARE
    v_anno INTEGER := CASE WHEN p_anno >= 1 THEN p_anno END;
    v_mese INTEGER := CASE WHEN p_mese >= 1 THEN p_mese END;
    v_id BIGINT;
BEGIN
    SELECT crf.icrfid INTO v_id FROM tcrf_crofiscale crf
     WHERE lower(crf.scrfprogramma) = lower(p_programma)
       AND COALESCE(crf.icrfanno, 0) = COALESCE(v_anno, 0)
       AND COALESCE(crf.icrfmese, 0) = COALESCE(v_mese, 0);
    IF v_id IS NOT NULL THEN
        RETURN v_id;
    END IF;
    INSERT INTO tcrf_crofiscale (scrfprogramma, icrfanno, icrfmese)
    VALUES (p_programma, v_anno, v_mese)
    ON CONFLICT DO NOTHING;
    SELECT crf.icrfid INTO v_id FROM tcrf_crofiscale crf
     WHERE lower(crf.scrfprogramma) = lower(p_programma)
       AND COALESCE(crf.icrfanno, 0) = COALESCE(v_anno, 0)
       AND COALESCE(crf.icrfmese, 0) = COALESCE(v_mese, 0);
    RETURN v_id;
END
$$;
