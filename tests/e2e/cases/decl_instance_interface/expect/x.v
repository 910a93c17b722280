// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset);
   input m_clock;
   input p_reset;
   wire _u1_a;
   wire _u1_done;
   sub u1(.a(_u1_a), .done(_u1_done));
endmodule
