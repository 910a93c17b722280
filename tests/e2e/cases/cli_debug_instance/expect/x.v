// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset);
   input m_clock;
   input p_reset;
   wire [3:0] _u1_a;
   wire _u1_go;
   wire [3:0] _u2_a;
   wire _u2_go;
   sub u1(.m_clock(m_clock), .p_reset(p_reset), .a(_u1_a), .go(_u1_go));
   sub u2(.m_clock(m_clock), .p_reset(p_reset), .a(_u2_a), .go(_u2_go));

   assign _u1_go = 1'b0;

   assign _u2_go = 1'b0;
endmodule
